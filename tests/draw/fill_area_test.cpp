#include "draw/fill_area.h"

#include <gtest/gtest.h>

#include <random>

namespace {

TEST(FillArea, SamePixelsAsLibgdsFilledRectangle) {
  std::mt19937 rng(3);
  std::uniform_int_distribution<int> coord(-30, 70);
  for (int round = 0; round < 500; ++round) {
    gdImagePtr ours = gdImageCreate(40, 30), libgd = gdImageCreate(40, 30);
    for (gdImagePtr im : {ours, libgd}) {
      for (int c = 0; c < 6; ++c) gdImageColorAllocate(im, c * 40, 0, 0);
    }
    int x1 = coord(rng), y1 = coord(rng), x2 = coord(rng), y2 = coord(rng), colour = 1 + round % 5;
    if (round % 7 == 0) x2 = x1, y2 = y1;  // a single pixel
    fill_area(ours, x1, y1, x2, y2, colour);
    gdImageFilledRectangle(libgd, x1, y1, x2, y2, colour);
    for (int y = 0; y < 30; ++y) {
      for (int x = 0; x < 40; ++x) {
        ASSERT_EQ(gdImageGetPixel(libgd, x, y), gdImageGetPixel(ours, x, y))
            << x1 << "," << y1 << " " << x2 << "," << y2;
      }
    }
    gdImageDestroy(ours);
    gdImageDestroy(libgd);
  }
}

}  // namespace
