#include "draw/draw_text.h"

#include "core/utf8.h"
#include "fonts/unicode_glyphs.h"

namespace {

// Where the next cell goes; upright text goes up the image.
struct Pen {
  int x, y;
  bool upright;
};

void advance(Pen& pen, const gdFont& font, size_t cells) {
  int distance = static_cast<int>(cells) * font.w;
  if (pen.upright) {
    pen.y -= distance;
  } else {
    pen.x += distance;
  }
}

// ASCII goes through libgd as it always has, so that those texts keep
// every pixel.
void draw_ascii(gdImagePtr image, const gdFont& font, Pen& pen, std::string_view run, int color) {
  if (run.empty()) return;
  std::string text(run);  // libgd wants the terminating zero
  auto* bytes = reinterpret_cast<unsigned char*>(text.data());
  if (pen.upright) {
    gdImageStringUp(image, font_ptr(font), pen.x, pen.y, bytes, color);
  } else {
    gdImageString(image, font_ptr(font), pen.x, pen.y, bytes, color);
  }
  advance(pen, font, run.size());
}

// Places the glyph's pixels as gdImageChar and gdImageCharUp place theirs.
void draw_glyph(gdImagePtr image, const gdFont& font, const Pen& pen, const UnicodeGlyph& glyph,
                int color) {
  for (int r = 0; r < font.h; ++r) {
    for (int c = 0; c < font.w; ++c) {
      if (((glyph.rows[r] >> (font.w - 1 - c)) & 1) == 0) continue;
      if (pen.upright) {
        gdImageSetPixel(image, pen.x + r, pen.y - c, color);
      } else {
        gdImageSetPixel(image, pen.x + c, pen.y + r, color);
      }
    }
  }
}

void draw_cells(gdImagePtr image, const gdFont& font, Pen pen, std::string_view text, int color) {
  size_t run = 0;  // the first ASCII byte not drawn yet
  for (size_t at = 0; at < text.size();) {
    Utf8Char c = next_char(text.substr(at));
    if (c.code < 0x80) {
      ++at;
      continue;
    }
    draw_ascii(image, font, pen, text.substr(run, at - run), color);
    if (const UnicodeGlyph* glyph = find_glyph(font, c.code)) {
      draw_glyph(image, font, pen, *glyph, color);
    }
    advance(pen, font, 1);
    at += c.length;
    run = at;
  }
  draw_ascii(image, font, pen, text.substr(run), color);
}

}  // namespace

size_t text_cells(std::string_view text) {
  size_t cells = 0;
  for (size_t at = 0; at < text.size(); at += next_char(text.substr(at)).length) ++cells;
  return cells;
}

void draw_text(gdImagePtr image, const gdFont& font, int x, int y, std::string_view text,
               int color) {
  draw_cells(image, font, {x, y, false}, text, color);
}

void draw_text_up(gdImagePtr image, const gdFont& font, int x, int y, std::string_view text,
                  int color) {
  draw_cells(image, font, {x, y, true}, text, color);
}

std::string shortened(std::string_view text, size_t most) {
  constexpr size_t ellipsis = 3;
  if (text_cells(text) <= most) return std::string(text);
  if (most <= ellipsis) return std::string(most, '.');
  size_t end = 0;
  for (size_t kept = 0; kept < most - ellipsis; ++kept) end += next_char(text.substr(end)).length;
  return std::string(text.substr(0, end)) + "...";
}
