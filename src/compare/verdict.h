#pragma once

#include <string>
#include <vector>

#include "core/curve.h"
#include "core/plot_options.h"
#include "layout/plot_area.h"

// How far a further curve deviates from the first inside the picture's
// frequency range (its deviation filled by compute_deviations), and
// whether that is within the tolerance of TOL=.
struct Verdict {
  int input;                  // which input (input_keys)
  bool measured = false;      // some deviation lies inside the range
  double db = 0, db_at = 0;   // the largest deviation, signed, and its frequency
  bool phase_wanted = false;  // with the phase shown
  bool phase = false;         // the phase deviation was measured
  double deg = 0, deg_at = 0;
  bool within = true;
};

// One verdict for each further curve.
std::vector<Verdict> judge(const CurveList& curves, const AxisScale& x, const PlotOptions& options);

// The line the verdict prints:
// "IN2: max deviation 0.83 dB at 12.3 Hz, 4.1 deg at 0.05 Hz: within tolerance"
// (the phase part only with the phase shown, ", no phase deviation" when
// none lies in the range; "outside tolerance" else), or
// "IN2: no deviation in the frequency range: outside tolerance". A phase
// tolerance with no phase deviation to hold it to is not met.
std::string verdict_line(const Verdict& verdict);
