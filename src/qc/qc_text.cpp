#include "qc/qc_text.h"

#include <cstdio>

#include "core/utf8.h"

namespace {

constexpr char replacement[] = "\xEF\xBF\xBD";  // U+FFFD
constexpr char32_t first_printable = 0x20;

// The characters XML 1.0 allows besides the printable ones; U+FFFE and
// U+FFFF are refused too.
bool xml_allowed(char32_t c) {
  constexpr char32_t not_characters[] = {0xFFFE, 0xFFFF};
  if (c == not_characters[0] || c == not_characters[1]) return false;
  return c >= first_printable || c == '\t' || c == '\n' || c == '\r';
}

const char* xml_entity(char32_t c, bool attribute) {
  switch (c) {
    case '&':
      return "&amp;";
    case '<':
      return "&lt;";
    case '>':
      return "&gt;";
    case '"':
      return "&quot;";
    case '\'':
      return "&#39;";
    case '\r':
      return "&#13;";  // a reader turns a raw CR into a line feed
    case '\t':
      return attribute ? "&#9;" : nullptr;
    case '\n':
      return attribute ? "&#10;" : nullptr;
    default:
      return nullptr;
  }
}

bool unreserved(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '.' || c == '_' || c == '~' || c == '/';
}

}  // namespace

std::string clean_utf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  while (!text.empty()) {
    Utf8Char c = next_char(text);
    if (c.code == invalid_byte) {
      out += replacement;
    } else {
      out.append(text.substr(0, static_cast<size_t>(c.length)));
    }
    text.remove_prefix(static_cast<size_t>(c.length));
  }
  return out;
}

std::string json_string(std::string_view text) {
  std::string out = "\"";
  for (char ch : text) {
    auto c = static_cast<unsigned char>(ch);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += ch;
    } else if (c < first_printable) {
      char escaped[8];
      snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
      out += escaped;
    } else {
      out += ch;
    }
  }
  return out + "\"";
}

std::string xml_text(std::string_view text, bool attribute) {
  std::string out;
  out.reserve(text.size());
  while (!text.empty()) {
    Utf8Char c = next_char(text);
    std::string_view bytes = text.substr(0, static_cast<size_t>(c.length));
    text.remove_prefix(static_cast<size_t>(c.length));
    if (c.code == invalid_byte || !xml_allowed(c.code)) {
      out += replacement;
    } else if (const char* entity = xml_entity(c.code, attribute)) {
      out += entity;
    } else {
      out += bytes;
    }
  }
  return out;
}

std::string url_path(std::string_view name) {
  std::string out;
  for (char ch : name) {
    auto c = static_cast<unsigned char>(ch);
    if (unreserved(c)) {
      out += ch;
      continue;
    }
    char escaped[4];
    snprintf(escaped, sizeof escaped, "%%%02X", static_cast<unsigned>(c));
    out += escaped;
  }
  return out;
}
