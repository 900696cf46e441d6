#include "metadata/channel_skip.h"

namespace {

constexpr std::string_view channel = "Channel";

bool xml_space(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool name_char(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
         c == '-' || c == '.' || static_cast<unsigned char>(c) >= 0x80;
}

// One past the '>' closing the tag that starts at `at`, passing over quoted
// attribute values; npos when the text ends first.
size_t tag_end(std::string_view t, size_t at) {
  char quote = 0;
  for (size_t i = at; i < t.size(); ++i) {
    if (quote != 0) {
      if (t[i] == quote) quote = 0;
    } else if (t[i] == '"' || t[i] == '\'') {
      quote = t[i];
    } else if (t[i] == '>') {
      return i + 1;
    }
  }
  return std::string_view::npos;
}

// Whether the name starting at `at` is Channel, with or without a prefix.
bool names_channel(std::string_view t, size_t at) {
  size_t end = at;
  while (end < t.size() && (name_char(t[end]) || t[end] == ':')) ++end;
  std::string_view name = t.substr(at, end - at);
  size_t colon = name.rfind(':');
  return (colon == std::string_view::npos ? name : name.substr(colon + 1)) == channel;
}

// One past what starts with `open` at `at` and ends with `close`; npos when
// it does not end.
size_t past(std::string_view t, size_t at, std::string_view close) {
  size_t found = t.find(close, at);
  return found == std::string_view::npos ? found : found + close.size();
}

}  // namespace

size_t next_channel_tag_end(std::string_view t, size_t from) {
  for (size_t at = t.find(channel, from); at != std::string_view::npos;
       at = t.find(channel, at + 1)) {
    size_t after = at + channel.size();
    if (after >= t.size() || !(xml_space(t[after]) || t[after] == '>' || t[after] == '/')) continue;
    size_t start = at;
    if (start > 0 && t[start - 1] == ':') {
      for (--start; start > 0 && name_char(t[start - 1]);) --start;
    }
    if (start == 0 || t[start - 1] != '<') continue;
    return tag_end(t, after);
  }
  return std::string_view::npos;
}

size_t channel_body_end(std::string_view t, size_t from) {
  constexpr size_t npos = std::string_view::npos;
  int depth = 1;
  for (size_t at = t.find('<', from); at != npos; at = t.find('<', at)) {
    std::string_view rest = t.substr(at);
    size_t next;
    if (rest.starts_with("<!--")) {
      next = past(t, at + 4, "-->");
    } else if (rest.starts_with("<![CDATA[")) {
      next = past(t, at + 9, "]]>");
    } else if (rest.starts_with("<?")) {
      next = past(t, at + 2, "?>");
    } else if (rest.starts_with("</")) {
      if (names_channel(t, at + 2) && --depth == 0) return at;
      next = tag_end(t, at);
    } else if (rest.size() > 1 && rest[1] != '!') {
      next = tag_end(t, at);
      if (next != npos && t[next - 2] != '/' && names_channel(t, at + 1)) ++depth;
    } else {
      return npos;
    }
    if (next == npos) return npos;
    at = next;
  }
  return npos;
}
