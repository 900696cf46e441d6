#include "draw/draw_text.h"

#include <gtest/gtest.h>

#include <string>

#include "fonts/fonts.h"
#include "support/gif_reader.h"
#include "support/test_files.h"

namespace {

const gdFont* const all_fonts[] = {&font9x16, &font8x16, &font6x12, &font5x8};

// Whether any pixel of the w by h box at (x, y) is not the background.
bool has_ink(gdImagePtr im, int x, int y, int w, int h) {
  for (int py = y; py < y + h; ++py) {
    for (int px = x; px < x + w; ++px) {
      if (gdImageGetPixel(im, px, py) != 0) return true;
    }
  }
  return false;
}

// Each text is drawn with one blank cell either side, across and upright.
// `cells` is what a reader sees, cell by cell: '#' ink, '.' blank; `cut`
// is the text shortened to `most` cells.
TEST(DrawText, UnicodeTextsTakeOneCellPerCharacter) {
  const struct {
    const gdFont* only;  // nullptr: every font
    std::string text, cells;
    size_t most;
    std::string cut;
  } cases[] = {
      {nullptr, "°", "#", 1, "°"},
      {nullptr, "µm", "##", 2, "µm"},
      {nullptr, "Частота, Гц", "########.##", 7, "Част..."},
      {nullptr, "m/s²", "####", 3, "..."},
      {nullptr, "±5 %", "##.#", 4, "±5 %"},
      {nullptr, "Гц Hz", "##.##", 4, "Г..."},
      {nullptr, "\xC3", ".", 1, "\xC3"},                             // cut short at the end
      {nullptr, "\xC3z", ".#", 2, "\xC3z"},                          // cut short by ASCII
      {nullptr, "\x80x", ".#", 2, "\x80x"},                          // a stray continuation byte
      {nullptr, "\xE2\x82z", "..#", 3, "\xE2\x82z"},                 // three bytes cut to two
      {nullptr, "\xC0\x80xyzxyz", "..######", 5, "\xC0\x80..."},     // overlong
      {nullptr, "\xED\xA0\x80", "...", 3, "\xED\xA0\x80"},           // a surrogate
      {nullptr, "\xF4\x90\x80\x80", "....", 4, "\xF4\x90\x80\x80"},  // past U+10FFFF
      {nullptr, "\xF9\x80\x80\x80", "....", 4, "\xF9\x80\x80\x80"},  // no lead byte
      {nullptr, "\xC2\x80z", ".#", 2, "\xC2\x80z"},                  // valid, but no font draws it
      {&font9x16, "∞", ".", 1, "∞"},                                 // 9x15B has no infinity
      {&font8x16, "∞", "#", 1, "∞"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.cells.size(), text_cells(c.text)) << c.text;
    EXPECT_EQ(c.cut, shortened(c.text, c.most)) << c.text;
    for (const gdFont* font : all_fonts) {
      if (c.only != nullptr && c.only != font) continue;
      int w = font->w, h = font->h, n = static_cast<int>(c.cells.size());
      gdImagePtr across = gdImageCreate((n + 2) * w, h);
      gdImagePtr up = gdImageCreate(h, (n + 2) * w);
      for (gdImagePtr im : {across, up}) {
        gdImageColorAllocate(im, 255, 255, 255);
        gdImageColorAllocate(im, 0, 0, 0);
      }
      draw_text(across, *font, w, 0, c.text, 1);
      draw_text_up(up, *font, 0, (n + 1) * w - 1, c.text, 1);
      std::string seen;
      for (int i = -1; i <= n; ++i) seen += has_ink(across, (i + 1) * w, 0, w, h) ? '#' : '.';
      EXPECT_EQ("." + c.cells + ".", seen) << c.text << " in " << w << "x" << h;
      // Upright text is the same picture turned a quarter turn counter-clockwise.
      int differ = 0;
      for (int y = 0; y < h; ++y) {
        for (int x = 0; x < (n + 2) * w; ++x) {
          differ += gdImageGetPixel(across, x, y) != gdImageGetPixel(up, y, (n + 2) * w - 1 - x);
        }
      }
      EXPECT_EQ(0, differ) << c.text << " in " << w << "x" << h;
      gdImageDestroy(across);
      gdImageDestroy(up);
    }
  }
}

// As a user meets it: a Cyrillic caption has ink in each letter's cell,
// centred by its 11 cells rather than its 20 bytes, and none elsewhere.
TEST(DrawText, CyrillicCaptionIsDrawn) {
  TempDir dir;
  RunResult r = run_afcdraw({"IN=" AFCDRAW_EXAMPLES "/geophone_1hz.txt", "OUT=" + dir.path("a.gif"),
                             "CAPTION=Частота, Гц"});
  ASSERT_EQ(0, r.status) << r.out;
  DecodedImage im = decode_gif(read_file(dir.path("a.gif")));
  ASSERT_TRUE(im);
  // The default 800 pixels wide picture; black is the second colour.
  constexpr int black = 1, width = 800, caption_top = 10, cells = 11;
  const int left = (width - cells * font9x16.w) / 2;
  auto ink = [&](int x0, int x1) {
    for (int y = caption_top; y < caption_top + font9x16.h; ++y) {
      for (int x = x0; x < x1; ++x) {
        if (pixel(im, x, y) == black) return true;
      }
    }
    return false;
  };
  std::string seen;
  for (int i = 0; i < cells; ++i) {
    seen += ink(left + i * font9x16.w, left + (i + 1) * font9x16.w) ? '#' : '.';
  }
  EXPECT_EQ("########.##", seen);
  EXPECT_FALSE(ink(0, left));
  EXPECT_FALSE(ink(left + cells * font9x16.w, width));
}

}  // namespace
