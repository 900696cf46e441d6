#pragma once

#include <string>
#include <vector>

#include "core/curve.h"
#include "core/plot_options.h"
#include "layout/plot_area.h"

// Points of a further curve next to each other in frequency order that
// were not judged, for the same reason: from frequency `from` to `to`.
struct UnjudgedRange {
  double from, to;
  Unjudged why;
};

// How far a further curve deviates from the first inside the picture's
// frequency range (its deviation filled by compute_deviations), which of
// its points there could not be judged, and whether that is within the
// tolerance of TOL=.
struct Verdict {
  int input;                  // which input (input_keys)
  bool measured = false;      // some deviation lies inside the range
  double db = 0, db_at = 0;   // the largest deviation, signed, and its frequency
  bool phase_wanted = false;  // with the phase shown
  bool phase = false;         // the phase deviation was measured
  double deg = 0, deg_at = 0;
  bool within = true;
  size_t not_judged = 0;  // points inside the range that could not be judged
  std::vector<UnjudgedRange> gaps = {};
};

// One verdict for each further curve.
std::vector<Verdict> judge(const CurveList& curves, const AxisScale& x, const PlotOptions& options);

// The line the verdict prints:
// "IN2: max deviation 0.83 dB at 12.3 Hz, 4.1 deg at 0.05 Hz: within tolerance"
// (the phase part only with the phase shown, ", no phase deviation" when
// none lies in the range; "outside tolerance" else), or
// "IN2: no deviation in the frequency range: outside tolerance". A phase
// tolerance with no phase deviation to hold it to is not met. A curve
// with points not judged is not within any tolerance: its line tells how
// many, where and why, after the deviation of the others if any,
// "IN2: 58 points not judged (5–30 Hz: amplitude <= 0): not judged".
std::string verdict_line(const Verdict& verdict);
