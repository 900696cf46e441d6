#pragma once

#include "core/curve.h"
#include "core/plot_options.h"

// The dashed lines over the panels that are no curve, alike in both
// styles: the tolerance of TOL= in the deviation panels and the Nyquist
// frequency of NYQUIST=, in colours no curve has.
constexpr Rgb tolerance_color{255, 140, 0};
constexpr Rgb nyquist_color{139, 69, 19};

// The tolerance of the amplitude deviation, dB: 0, none, unless TOL= gave it.
inline double tolerance_db(const PlotOptions& o) {
  return o.tol_given ? o.tol_db : 0;
}

// The tolerance of the phase deviation, degrees: 0, none, unless TOL= gave it.
inline double tolerance_deg(const PlotOptions& o) {
  return o.tol_deg_given ? o.tol_deg : 0;
}
