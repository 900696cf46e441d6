#pragma once

#include "core/curve.h"
#include "core/plot_options.h"

// The lines on standard error that say why a picture's ranges could not be
// drawn. Each names the input it is about (key_and_path), so that among
// many runs at once the failed picture can be told.

// The inputs of `curves` as messages name them: "IN=a.txt, IN2=b.txt".
std::string inputs_named(const CurveList& curves, const PlotOptions& o);

// Whether any curve has an amplitude point between x_min and x_max.
bool any_point_in(const CurveList& curves, double x_min, double x_max);

// For each curve, a line saying that none of its points lies in the
// frequency range and where its points lie instead.
void diagnose_no_point_in_range(const CurveList& curves, const PlotOptions& o, double x_min,
                                double x_max);

// Which responses made the amplitude range not positive: those with an
// amplitude <= 0 in the frequency range, or, when none has a point there,
// every one.
void diagnose_amplitudes(const CurveList& curves, const PlotOptions& o, double x_min, double x_max);

// "lo;hi" as the range diagnostics write a range.
std::string range_text(double lo, double hi);
