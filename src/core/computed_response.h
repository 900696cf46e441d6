#pragma once

#include <functional>

// A response known at every frequency rather than at listed points (a
// pole-zero file; station metadata would be another): the stages after
// reading evaluate it wherever they need a value, so that nothing is
// compared or normalised against an interpolation of a guessed grid.
struct ComputedResponse {
  // |H| and arg H in degrees at f Hz. The angle is continuous in f where
  // the response allows it, not cut to a principal value.
  std::function<void(double f, double& amplitude, double& degrees)> at;
  int units = 0;  // what it responds to, as UNITS= counts: 0 displacement
  // The band that shows its features, for -fit with nothing measured
  // beside it; lo = 0: none.
  double lo = 0, hi = 0;
};
