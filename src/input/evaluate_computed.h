#pragma once

#include "core/curve.h"
#include "core/plot_options.h"

// The frequency range the picture will show, as plan_picture finds it:
// X_AXIS= (or its default); with -fit and no X_AXIS= the range of the
// measured curves (those with points), or with none the computed curves'
// bands together; with -fit widened to the axis's labelled lines.
void picture_frequency_range(const CurveList& curves, const PlotOptions& options, double& lo,
                             double& hi);

// Fills the points of each computed curve (curve.computed) with its values
// across the picture's frequency range, densely enough to draw (POINTS=,
// else two a column; log-spaced on a log axis), and with -diff at every frequency of
// the measured curves inside that range too, so that a deviation compares
// at the measured frequencies exactly. With the phase panel and no PHASE=
// file for it, its phases too: unwrapped and anchored (anchor_phases).
// The measured curves stay as they are. May throw std::bad_alloc.
void evaluate_computed(CurveList& curves, const PlotOptions& options);
