#include "encode/rgb_png.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/gif_reader.h"

namespace {

// Pictures of every width around the filter's blocks of four and sixteen pixels, rows
// repeating the one above or not, with the unused byte of each pixel
// random (as cairo leaves it): the decoded PNG holds the same colours.
TEST(RgbPng, DecodesToThePixelsGiven) {
  const struct {
    int width, height;
  } sizes[] = {{1, 1}, {1, 3},  {2, 2},  {3, 5},  {4, 4},  {5, 3},  {7, 6}, {8, 2},
               {9, 7}, {13, 4}, {16, 3}, {17, 5}, {33, 6}, {40, 4}, {65, 3}};
  unsigned state = 3;
  auto next = [&] { return state = state * 1103515245u + 12345u; };
  for (const auto& s : sizes) {
    std::vector<uint32_t> pixels(static_cast<size_t>(s.width) * static_cast<size_t>(s.height));
    for (size_t i = 0; i < pixels.size(); ++i) {
      size_t above = i >= static_cast<size_t>(s.width) ? i - static_cast<size_t>(s.width) : i;
      // Every other row mostly repeats the one above, as lines do: whole
      // chunks of sixteen pixels some of the time.
      bool repeat = i != above && (i / static_cast<size_t>(s.width)) % 2 == 1 && next() % 16 != 0;
      uint32_t colour = repeat ? pixels[above] & 0x00FFFFFF : next() >> 8;
      pixels[i] = colour | (next() & 0xFF000000);
    }
    std::vector<unsigned char> png;
    ASSERT_EQ(0, encode_rgb_png(pixels.data(), s.width, s.height, png));
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

}  // namespace
