#include "fonts/unicode_glyphs.h"

#include <algorithm>

#include "fonts/fonts.h"

namespace {

std::span<const UnicodeGlyph> glyphs_of(const gdFont& font) {
  if (&font == &font9x16) return font9x16_unicode;
  if (&font == &font8x16) return font8x16_unicode;
  if (&font == &font6x12) return font6x12_unicode;
  if (&font == &font5x8) return font5x8_unicode;
  return {};
}

}  // namespace

const UnicodeGlyph* find_glyph(const gdFont& font, char32_t code) {
  std::span<const UnicodeGlyph> glyphs = glyphs_of(font);
  auto it = std::ranges::lower_bound(glyphs, code, {}, &UnicodeGlyph::code);
  return it != glyphs.end() && it->code == code ? &*it : nullptr;
}
