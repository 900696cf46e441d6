#pragma once

#include <cstdint>
#include <vector>

#include "core/large_array_allocator.h"

// One curve vertex: image column and row; (0, 0) is the top-left pixel.
struct PixelPoint {
  int32_t x;
  int32_t y;
};

// The curve's vertices in the order of their points.
using VertexList = std::vector<PixelPoint, LargeArrayAllocator<PixelPoint>>;
