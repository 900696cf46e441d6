#pragma once

#include <string_view>

// The code a byte gets that starts no valid UTF-8 character; no character
// has it.
constexpr char32_t invalid_byte = 0xFFFFFFFF;

struct Utf8Char {
  char32_t code;  // or invalid_byte
  int length;     // bytes, 1 to 4
};

// The character at the start of the nonempty `text`. A byte that starts no
// valid character (a stray continuation byte, a sequence cut short, an
// overlong form, a surrogate, a code past U+10FFFF) comes back alone as
// invalid_byte, so that text in another encoding still steps byte by byte.
constexpr Utf8Char next_char(std::string_view text) {
  auto byte = [text](size_t i) { return static_cast<unsigned char>(text[i]); };
  unsigned char lead = byte(0);
  if (lead < 0x80) return {lead, 1};
  int length = lead >= 0xF8 ? 0 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
  if (length == 0 || static_cast<size_t>(length) > text.size()) return {invalid_byte, 1};
  char32_t code = lead & (0x7F >> length);
  for (int i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return {invalid_byte, 1};
    code = code << 6 | (byte(i) & 0x3F);
  }
  // The least code of each length: one below it has a shorter form.
  constexpr char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
  bool surrogate = code >= 0xD800 && code <= 0xDFFF;
  if (code < least[length] || surrogate || code > 0x10FFFF) return {invalid_byte, 1};
  return {code, length};
}
