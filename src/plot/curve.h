#pragma once

#include <vector>

#include "core/response_point.h"

// A colour as red, green and blue, 0 to 255 each.
struct Rgb {
  int red, green, blue;
};

constexpr Rgb curve_red{255, 0, 0};

// One input's response as drawn: its amplitude points, its phase points
// (frequency, degrees; empty unless the phase is shown) and the colour of
// both curves.
struct Curve {
  PointList points;
  PointList phases;
  Rgb colour = curve_red;
};

using CurveList = std::vector<Curve>;
