#pragma once

#include <gd.h>

// The four fixed-cell fonts of the picture, carried as constant data; their
// glyphs beyond ASCII are in unicode_glyphs.h.
extern const gdFont font9x16;  // caption: codes 0-127
extern const gdFont font8x16;  // axis names: codes 32-127
extern const gdFont font6x12;  // grid labels and label mantissas: codes 32-127
extern const gdFont font5x8;   // decade exponents: codes 0-127

// libgd takes fonts through non-const pointers but never writes to them.
inline gdFontPtr font_ptr(const gdFont& font) {
  return const_cast<gdFontPtr>(&font);
}
