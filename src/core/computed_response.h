#pragma once

#include <functional>
#include <vector>

#include "core/response_point.h"

// A response known at every frequency rather than at listed points (a
// pole-zero file; station metadata would be another): the stages after
// reading evaluate it wherever they need a value, so that nothing is
// compared or normalised against an interpolation of a guessed grid.
struct ComputedResponse {
  // |H| and arg H in degrees at f Hz. The angle is continuous in f where
  // the response allows it, not cut to a principal value.
  std::function<void(double f, double& amplitude, double& degrees)> at;
  // The same at many frequencies at once, where that is cheaper (a chain of
  // stages prepares each stage once); when empty, `at` is asked for each.
  std::function<void(const std::vector<double>& f, PointList& amplitudes, PointList& phases)>
      at_all;
  // A response known only at listed frequencies (a response list): those
  // it is evaluated at, whatever the picture's grid; empty: anywhere.
  std::vector<double> own_frequencies;
  int units = 0;  // what it responds to, as UNITS= counts: 0 displacement
  // The band that shows its features, for -fit with nothing measured
  // beside it; lo = 0: none.
  double lo = 0, hi = 0;
};
