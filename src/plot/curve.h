#pragma once

#include <cstddef>
#include <vector>

#include "core/file_identity.h"
#include "core/response_point.h"

// A colour by its red, green and blue parts (0 to 255).
struct Rgb {
  int red;
  int green;
  int blue;
};

// The colours of the response curves in command-line order: IN= red, then
// IN2= blue, IN3= dark green and IN4= magenta.
constexpr Rgb curve_colors[] = {{255, 0, 0}, {0, 0, 255}, {0, 128, 0}, {192, 0, 192}};

// One input's response as drawn: its amplitude points, in file order, its
// phase points (frequency, degrees; empty unless the phase is shown), the
// colour of both curves and the file it was read from (never written
// over). The colour is allocated in the palette when the curve is drawn,
// unless the palette has it already.
struct Curve {
  PointList points;
  PointList phases;
  Rgb color;
  FileIdentity source;
};
using CurveList = std::vector<Curve>;

// One line of the legend: `name` beside a short line in the colour of
// curves[curve].
struct LegendEntry {
  const char* name;
  size_t curve;
};
using Legend = std::vector<LegendEntry>;
