#include "encode/palette_png.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "support/gif_reader.h"

namespace {

// The bytes up to the first IDAT chunk: signature, header, palette, resolution.
std::vector<unsigned char> before_pixels(const std::vector<unsigned char>& png) {
  for (size_t at = 8; at + 8 <= png.size();) {
    size_t length =
        static_cast<size_t>(png[at]) << 24 | png[at + 1] << 16 | png[at + 2] << 8 | png[at + 3];
    if (std::equal(png.begin() + at + 4, png.begin() + at + 8, "IDAT")) {
      return {png.begin(), png.begin() + at};
    }
    at += length + 12;
  }
  return {};
}

// Every bit depth (1, 2, 4, 8 bits), widths that leave a byte part-filled,
// noise, stripes and rows that repeat (which the filter turns to zeros),
// and other resolutions: the chunks before the pixels are libgd's byte for
// byte, and libpng (checking every CRC) reads back the same pixels.
TEST(PalettePng, LibgdsChunksAndThePixels) {
  std::mt19937 rng(11);
  for (int n = 0; n < 96; ++n) {
    int w = 1 + static_cast<int>(rng() % (n < 16 ? 9 : 500));
    int h = 1 + static_cast<int>(rng() % (n < 16 ? 5 : 300));
    static constexpr int color_counts[] = {1, 2, 3, 4, 5, 16, 17, 256};
    int colors = color_counts[n % 8];
    gdImagePtr im = gdImageCreate(w, h);
    for (int c = 0; c < colors; ++c)
      gdImageColorAllocate(im, rng() % 256, rng() % 256, rng() % 256);
    if (n % 5 == 0) gdImageSetResolution(im, 72 + n, 300 - n);
    int kind = n % 3;
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        int c = kind == 0   ? static_cast<int>(rng() % colors)
                : kind == 1 ? (x / 3 + y) % colors
                            : (x * 7 / (1 + y % 4)) % colors;
        im->pixels[y][x] = static_cast<unsigned char>(c);
      }
    }
    std::vector<unsigned char> ours;
    ASSERT_TRUE(encode_palette_png(im, ours));
    EXPECT_EQ(before_pixels(ours), before_pixels(libgd_bytes(im, gdImagePngPtr)))
        << w << "x" << h << ", " << colors << " colours";
    gdImagePtr back = gdImageCreateFromPngPtr(static_cast<int>(ours.size()), ours.data());
    ASSERT_NE(back, nullptr) << w << "x" << h << ", " << colors << " colours";
    ASSERT_EQ(gdImageColorsTotal(back), colors);
    int differences = 0;
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) differences += back->pixels[y][x] != im->pixels[y][x];
    }
    EXPECT_EQ(differences, 0) << w << "x" << h << ", " << colors << " colours";
    gdImageDestroy(back);
    gdImageDestroy(im);
  }
}

// What libgd writes differently (a tRNS chunk, a palette without the freed
// colours, interlaced rows, true colour) stays libgd's to write.
TEST(PalettePng, LeavesToLibgdWhatItWritesDifferently) {
  struct Case {
    const char* what;
    void (*change)(gdImagePtr);
  } cases[] = {
      {"transparent colour", [](gdImagePtr im) { gdImageColorTransparent(im, 1); }},
      {"freed colour", [](gdImagePtr im) { gdImageColorDeallocate(im, 0); }},
      {"interlaced", [](gdImagePtr im) { gdImageInterlace(im, 1); }},
      {"translucent colour", [](gdImagePtr im) { gdImageColorAllocateAlpha(im, 1, 2, 3, 60); }},
  };
  for (const Case& c : cases) {
    gdImagePtr im = gdImageCreate(20, 10);
    for (int k = 0; k < 3; ++k) gdImageColorAllocate(im, 10 * k, 20, 30);
    c.change(im);
    std::vector<unsigned char> out{1};
    EXPECT_FALSE(encode_palette_png(im, out)) << c.what;
    EXPECT_TRUE(out.empty()) << c.what;
    gdImageDestroy(im);
  }
  gdImagePtr true_colour = gdImageCreateTrueColor(20, 10);
  std::vector<unsigned char> out;
  EXPECT_FALSE(encode_palette_png(true_colour, out));
  gdImageDestroy(true_colour);
}

}  // namespace
