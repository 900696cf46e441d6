#include "metadata/stationxml_values.h"

#include <cmath>
#include <cstdint>

#include "core/scan_number.h"

namespace {

bool xml_space(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

}  // namespace

std::string quoted(std::string_view text) {
  // Enough of a wrong value to recognise it in the file.
  constexpr size_t longest_quote = 40;
  std::string out = "\"";
  out += text.substr(0, longest_quote);
  out += text.size() > longest_quote ? "...\"" : "\"";
  return out;
}

std::string_view trim_xml_space(std::string_view text) {
  while (!text.empty() && xml_space(text.front())) text.remove_prefix(1);
  while (!text.empty() && xml_space(text.back())) text.remove_suffix(1);
  return text;
}

bool read_real(std::string_view text, double& value, std::string& why) {
  text = trim_xml_space(text);
  const char* end = text.data() + text.size();
  if (text.empty() || scan_double(text.data(), end, value) != end) {
    why = quoted(text) + " is not a number";
    return false;
  }
  if (!std::isfinite(value)) {
    why = quoted(text) + " is out of range";
    return false;
  }
  return true;
}

bool read_whole(std::string_view text, int lowest, int highest, int& value, std::string& why) {
  text = trim_xml_space(text);
  const char* end = text.data() + text.size();
  int32_t read = 0;
  if (text.empty() || scan_int(text.data(), end, read) != end) {
    why = quoted(text) + " is not a whole number";
    return false;
  }
  if (read < lowest || read > highest) {
    why = quoted(text) + " is out of range (" + std::to_string(lowest) + " to " +
          std::to_string(highest) + ")";
    return false;
  }
  value = read;
  return true;
}
