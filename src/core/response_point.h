#pragma once

#include <vector>

#include "core/large_array_allocator.h"

// One point of the response, stored exactly as read.
struct ResponsePoint {
  double x;  // frequency, Hz
  double y;  // amplitude
};

// The points of a file in file order.
using PointList = std::vector<ResponsePoint, LargeArrayAllocator<ResponsePoint>>;
