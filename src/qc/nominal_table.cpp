#include "qc/nominal_table.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string_view>

#include "core/diagnostic.h"
#include "core/last_error.h"
#include "core/messages.h"
#include "input/file_text.h"
#include "input/metadata_curve.h"
#include "input/pole_zero.h"
#include "input/read_in.h"
#include "qc/read_inventories.h"

namespace {

constexpr size_t pattern_dots = 3;  // NET.STA.LOC.CHA

bool blank(char c) {
  return c == ' ' || c == '\t' || c == '\r';
}

std::string_view trimmed(std::string_view line) {
  while (!line.empty() && blank(line.front())) line.remove_prefix(1);
  while (!line.empty() && blank(line.back())) line.remove_suffix(1);
  return line;
}

// A line's pattern and the file after it; false when it is not two parts.
bool split_row(std::string_view line, std::string_view& pattern, std::string_view& file) {
  size_t gap = line.find_first_of(" \t");
  if (gap == std::string_view::npos) return false;
  pattern = line.substr(0, gap);
  file = trimmed(line.substr(gap));
  return !file.empty();
}

bool looks_like_row(std::string_view line) {
  std::string_view pattern, file;
  if (!split_row(line, pattern, file)) return false;
  bool leading_number = (pattern[0] >= '0' && pattern[0] <= '9') || pattern[0] == '-' ||
                        pattern[0] == '+' || pattern[0] == '.';
  return !leading_number &&
         static_cast<size_t>(std::count(pattern.begin(), pattern.end(), '.')) == pattern_dots;
}

// Calls `each(number, line)` for the lines neither blank nor comments,
// until it returns false.
template <typename Each>
void for_each_row(std::string_view text, Each each) {
  int number = 0;
  while (!text.empty()) {
    size_t end = std::min(text.find('\n'), text.size());
    std::string_view line = trimmed(text.substr(0, end));
    text.remove_prefix(std::min(end + 1, text.size()));
    ++number;
    if (line.empty() || line[0] == '#') continue;
    if (!each(number, line)) return;
  }
}

bool is_table(std::string_view text) {
  if (is_metadata(text) || is_pole_zero(text)) return false;
  bool table = false;
  for_each_row(text, [&](int, std::string_view line) {
    table = looks_like_row(line);
    return false;
  });
  return table;
}

std::string folder_of(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

int read_rows(std::string_view text, const std::string& path, NominalTable& table) {
  std::string why;
  for_each_row(text, [&](int number, std::string_view line) {
    std::string_view pattern, file;
    ChannelFilter filter;
    if (!split_row(line, pattern, file) || !parse_channel_pattern(pattern, filter)) {
      why = path + ": line " + std::to_string(number) + ": not \"NET.STA.LOC.CHA FILE\"";
      return false;
    }
    std::string name(file);
    if (name[0] != '/') name = folder_of(path) + name;
    table.rows.emplace_back(filter, name);
    return true;
  });
  if (why.empty()) return 0;
  diagnose(why);
  last_error = message::bad_nominal_table;
  return inventory_unusable;
}

}  // namespace

int read_nominal(const std::string& path, NominalTable& table) {
  FileText text;
  if (read_in(path.c_str(), text) < 0) {
    diagnose("NOMINAL=" + path + ": " + (errno != 0 ? strerror(errno) : "no data"));
    return inventory_not_read;
  }
  if (!is_table(text.view())) {
    table.single = path;
    return 0;
  }
  return read_rows(text.view(), path, table);
}

std::string nominal_for(const NominalTable& table, const ChannelResponse& r) {
  if (!table.single.empty()) return table.single;
  for (const auto& [filter, file] : table.rows) {
    if (channel_matches(filter, r.network, r.station, r.location, r.channel)) return file;
  }
  return "";
}
