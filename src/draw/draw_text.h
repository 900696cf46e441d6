#pragma once

#include <gd.h>

#include <cstddef>
#include <string>
#include <string_view>

#include "fonts/fonts.h"

// The cells `text` takes in a fixed-cell font: one per UTF-8 character and
// one per byte that starts none. For ASCII that is its length.
size_t text_cells(std::string_view text);

// Draws `text` in `font` with the top left corner of its first cell at
// (x, y), one cell after the other as gdImageString does. Characters beyond
// ASCII in UTF-8 get the glyphs of the font's family (fonts/unicode_glyphs.h);
// one without a glyph there, and each byte that is not UTF-8, a blank cell.
void draw_text(gdImagePtr image, const gdFont& font, int x, int y, std::string_view text,
               int color);

// The same turned a quarter turn counter-clockwise, as gdImageStringUp: the
// first cell takes columns x to x + h - 1 and rows y - w + 1 to y, and the
// text goes up the image.
void draw_text_up(gdImagePtr image, const gdFont& font, int x, int y, std::string_view text,
                  int color);

// `text` cut to at most `most` cells, its end replaced by "..." where it was
// cut, so that a reader sees it goes on. The cut falls between characters.
std::string shortened(std::string_view text, size_t most);
