#pragma once

#include "core/curve.h"
#include "core/plot_options.h"

// Fills the deviation of each further curve from the first (the reference):
// at each of its frequencies above 0, in increasing order, 20 log10 of its
// amplitude over the reference's, interpolated in log frequency and log
// amplitude; with the phase shown, its phase less the reference's
// (interpolated in log frequency), both unwrapped in frequency order, and
// the difference unwrapped too and brought within one turn of 0 at its
// lowest frequency. A point that cannot be compared (see Unjudged) gets a
// NaN, and is listed in the curve's not_judged with why. Returns 0, or -1 when a curve has no
// amplitude above 0 inside the reference's usable frequencies, with its key and path in last_error.
int compute_deviations(CurveList& curves, const PlotOptions& options);

// A note on standard error for each further curve with points that could
// not be compared, how many: plain -diff prints no verdict to tell it.
void note_not_judged(const CurveList& curves, const PlotOptions& options);
