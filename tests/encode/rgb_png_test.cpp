#include "encode/rgb_png.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "support/gif_reader.h"

namespace {

// A picture of `width` x `height` whose every other row mostly repeats the
// one above, as lines do (whole chunks of sixteen pixels some of the time),
// with the unused byte of each pixel random, as cairo leaves it.
std::vector<uint32_t> picture_of_lines(int width, int height, unsigned& state) {
  auto next = [&] { return state = state * 1103515245u + 12345u; };
  std::vector<uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
  for (size_t i = 0; i < pixels.size(); ++i) {
    size_t above = i >= static_cast<size_t>(width) ? i - static_cast<size_t>(width) : i;
    bool repeat = i != above && (i / static_cast<size_t>(width)) % 2 == 1 && next() % 16 != 0;
    uint32_t colour = repeat ? pixels[above] & 0x00FFFFFF : next() >> 8;
    pixels[i] = colour | (next() & 0xFF000000);
  }
  return pixels;
}

// The picture encoded in one band, as a picture no taller than a band is.
std::vector<unsigned char> whole_png(const std::vector<uint32_t>& pixels, int width, int height) {
  std::vector<unsigned char> png;
  RgbPngRows rows(png, width, height);
  rows.add(pixels.data(), height);
  rows.finish();
  return png;
}

// Pictures of every width around the filter's blocks of four and sixteen
// pixels: the decoded PNG holds the same colours.
TEST(RgbPng, DecodesToThePixelsGiven) {
  const struct {
    int width, height;
  } sizes[] = {{1, 1}, {1, 3},  {2, 2},  {3, 5},  {4, 4},  {5, 3},  {7, 6}, {8, 2},
               {9, 7}, {13, 4}, {16, 3}, {17, 5}, {33, 6}, {40, 4}, {65, 3}};
  unsigned state = 3;
  for (const auto& s : sizes) {
    std::vector<uint32_t> pixels = picture_of_lines(s.width, s.height, state);
    std::vector<unsigned char> png = whole_png(pixels, s.width, s.height);
    DecodedImage im = decode_png(std::string(png.begin(), png.end()));
    ASSERT_TRUE(im);
    ASSERT_EQ(s.width, gdImageSX(im.get()));
    ASSERT_EQ(s.height, gdImageSY(im.get()));
    for (int y = 0; y < s.height; ++y) {
      for (int x = 0; x < s.width; ++x) {
        uint32_t p =
            pixels[static_cast<size_t>(y) * static_cast<size_t>(s.width) + static_cast<size_t>(x)];
        int c = gdImageGetTrueColorPixel(im.get(), x, y);
        ASSERT_EQ(static_cast<int>(p >> 16 & 0xFF), gdTrueColorGetRed(c)) << s.width << " " << x;
        ASSERT_EQ(static_cast<int>(p >> 8 & 0xFF), gdTrueColorGetGreen(c)) << s.width << " " << x;
        ASSERT_EQ(static_cast<int>(p & 0xFF), gdTrueColorGetBlue(c)) << s.width << " " << x;
      }
    }
  }
}

// A picture written a band of rows at a time, as a report PNG is drawn, is
// the file written whole, whatever the bands: a band's first row is
// filtered against the last of the band before.
TEST(RgbPng, BandsMakeTheFileOfThePictureWhole) {
  const int width = 37, height = 23;
  unsigned state = 5;
  std::vector<uint32_t> pixels = picture_of_lines(width, height, state);
  std::vector<unsigned char> whole = whole_png(pixels, width, height);
  for (int rows : {1, 2, 5, 22}) {
    std::vector<unsigned char> banded;
    RgbPngRows png(banded, width, height);
    for (int top = 0; top < height; top += rows) {
      png.add(pixels.data() + static_cast<size_t>(top) * width, std::min(rows, height - top));
    }
    png.finish();
    EXPECT_EQ(whole, banded) << rows;
  }
}

}  // namespace
