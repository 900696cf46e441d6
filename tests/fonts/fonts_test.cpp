#include "fonts/fonts.h"
#include "layout/plot_area.h"
#include "layout/tick_labels.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

bool blank(const gdFont& f, int code) {
  const char* g = f.data + (code - f.offset) * f.w * f.h;
  for (int i = 0; i < f.w * f.h; ++i) {
    if (g[i] != 0) return false;
  }
  return true;
}

// The glyph of `code` as row values, highest of the w bits leftmost.
std::vector<int> rows(const gdFont& f, char code) {
  std::vector<int> out;
  const char* g = f.data + (code - f.offset) * f.w * f.h;
  for (int r = 0; r < f.h; ++r) {
    int v = 0;
    for (int c = 0; c < f.w; ++c) v = v * 2 + g[r * f.w + c];
    out.push_back(v);
  }
  return out;
}

TEST(Fonts, Metrics) {
  const struct {
    const gdFont& font;
    int nchars, offset, w, h;
  } cases[] = {{font9x16, 128, 0, 9, 16},
               {font8x16, 96, 32, 8, 16},
               {font6x12, 96, 32, 6, 12},
               {font5x8, 128, 0, 5, 8}};
  for (const auto& c : cases) {
    EXPECT_EQ(c.nchars, c.font.nchars);
    EXPECT_EQ(c.offset, c.font.offset);
    EXPECT_EQ(c.w, c.font.w);
    EXPECT_EQ(c.h, c.font.h);
    for (int i = 0; i < c.font.nchars * c.w * c.h; ++i) ASSERT_LE(c.font.data[i], 1);
  }
}

TEST(Fonts, BlankGlyphs) {
  const struct {
    const gdFont& font;
    std::vector<int> codes;
  } cases[] = {
      {font9x16, {0, 32, 127}}, {font8x16, {32, 127}}, {font6x12, {32}}, {font5x8, {0, 32, 127}}};
  for (const auto& c : cases) {
    for (int code : c.codes) EXPECT_TRUE(blank(c.font, code)) << code;
  }
  // The readable texts have ink.
  for (int code = 33; code < 127; ++code) {
    EXPECT_FALSE(blank(font9x16, code)) << code;
    EXPECT_FALSE(blank(font8x16, code)) << code;
    EXPECT_FALSE(blank(font6x12, code)) << code;
  }
}

TEST(Fonts, LabelGlyphRows) {
  EXPECT_EQ((std::vector<int>{0, 0, 0x1C, 0x22, 0x26, 0x2A, 0x32, 0x22, 0x1C, 0, 0, 0}),
            rows(font6x12, '0'));
  EXPECT_EQ((std::vector<int>{0, 0, 0x08, 0x2A, 0x1C, 0x08, 0x1C, 0x2A, 0x08, 0, 0, 0}),
            rows(font6x12, '*'));
  EXPECT_EQ((std::vector<int>{0, 0, 0, 0, 0x1C, 0x22, 0x3C, 0x20, 0x1C, 0, 0, 0}),
            rows(font6x12, 'e'));
  EXPECT_EQ((std::vector<int>{0, 0x06, 0x09, 0x0B, 0x05, 0x01, 0x06, 0}), rows(font5x8, '9'));
  EXPECT_EQ((std::vector<int>{0, 0, 0, 0, 0x0F, 0, 0, 0}), rows(font5x8, '-'));
}

TEST(Fonts, LibgdDrawsTheLeftmostBitLeft) {
  gdImagePtr im = gdImageCreate(6, 12);
  gdImageColorAllocate(im, 0, 0, 0);
  int ink = gdImageColorAllocate(im, 255, 255, 255);
  unsigned char text[] = "4";
  gdImageString(im, font_ptr(font6x12), 0, 0, text, ink);
  // Row 6 of "4" is 0x3E: columns 0 to 4 inked, column 5 not.
  for (int x = 0; x < 5; ++x) EXPECT_EQ(ink, gdImageGetPixel(im, x, 6)) << x;
  EXPECT_EQ(0, gdImageGetPixel(im, 5, 6));
  gdImageDestroy(im);
}

}  // namespace

namespace {

// The layout sizes margins with these widths; they must be the fonts'.
TEST(Fonts, LayoutKnowsTheCellSizes) {
  EXPECT_EQ(font6x12.w, label_glyph_width);
  EXPECT_EQ(font5x8.w, exponent_glyph_width);
  EXPECT_EQ(font8x16.h, axis_name_height);
}

}  // namespace
