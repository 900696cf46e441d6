#pragma once

#include <cstdint>

// One curve vertex: image column and row; (0, 0) is the top-left pixel.
struct PixelPoint {
  int32_t x;
  int32_t y;
};
