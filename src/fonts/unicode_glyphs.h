#pragma once

#include <gd.h>

#include <array>
#include <cstdint>
#include <span>

// The tallest cell, font9x16's and font8x16's.
constexpr int max_glyph_rows = 16;

// A glyph beyond ASCII: its code point and its rows from the top, the
// highest of the font's w low bits the leftmost pixel (as in GlyphRows);
// rows below the font's h are 0.
struct UnicodeGlyph {
  char32_t code;
  std::array<uint16_t, max_glyph_rows> rows;
};

// Each font's glyphs beyond ASCII, sorted by code point (make_fonts.py).
extern const std::span<const UnicodeGlyph> font9x16_unicode;
extern const std::span<const UnicodeGlyph> font8x16_unicode;
extern const std::span<const UnicodeGlyph> font6x12_unicode;
extern const std::span<const UnicodeGlyph> font5x8_unicode;

// The glyph of `code` in the family of `font` (one of fonts.h), or nullptr
// where its source font had none.
const UnicodeGlyph* find_glyph(const gdFont& font, char32_t code);
