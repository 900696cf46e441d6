#pragma once

#include <cstdint>

// Truncates toward zero to a pixel coordinate. NaN and values outside the
// 32-bit range give INT32_MIN, as the x86 conversion does, instead of
// undefined behaviour.
int32_t to_pixel(double v);

// Halving that rounds toward minus infinity, for centring texts.
constexpr int floor_half(int v) {
  return v >= 0 ? v / 2 : -((-v + 1) / 2);
}
