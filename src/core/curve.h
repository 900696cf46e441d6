#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "core/response_point.h"

// A colour by its red, green and blue parts (0 to 255).
struct Rgb {
  int red;
  int green;
  int blue;
};

// One input's response as drawn: its amplitude points, in file order, its
// phase points (frequency, degrees; empty unless the phase is shown), the
// colour of its curves, and which input (input_keys) it was read from; with
// -diff, for a further input, its deviation from the first in frequency
// order (frequency, dB; frequency, degrees with the phase). The colour is
// allocated in the palette when the curve is drawn, unless the palette has
// it already.
struct Curve {
  PointList points;
  PointList phases;
  Rgb color;
  int input;
  PointList deviation;
  PointList phase_deviation;
  std::string about;  // what a FAP file's "#" line says of it besides its key and file
};
using CurveList = std::vector<Curve>;

// One line of the legend: `name` beside a short line in the colour of
// curves[curve].
struct LegendEntry {
  const char* name;
  size_t curve;
};
using Legend = std::vector<LegendEntry>;
