#include "layout/to_pixel.h"

#include <limits>

int32_t to_pixel(double v) {
  // Both bounds are exact doubles; NaN fails the test.
  if (!(v > -2147483649.0 && v < 2147483648.0)) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(v);
}
