#pragma once

#include "layout/nice_steps.h"
#include "layout/plot_area.h"

// The plot room of the standard picture holds one area, or with the phase
// and the deviation from IN= shown, several stacked (amplitude, phase,
// amplitude deviation, phase deviation), all sharing the frequency axis.
// An area not shown is left empty.
struct PanelLayout {
  PlotArea amplitude;
  PlotArea phase;
  PlotArea deviation;
  PlotArea phase_deviation;
};

// Rows between the two frames: room for the labels at the lower end of the
// amplitude axis and the upper end of the phase axis.
constexpr int panel_gap = 16;

// The amplitude area takes 3/5 of the rows left after the gap.
PanelLayout split_panels(int size_x, int size_y);

// The areas for the panels shown: the amplitude takes three parts of the
// rows left after the gaps, each other panel two.
PanelLayout stack_panels(int size_x, int size_y, bool phase, bool deviation);

// The same within `whole`, `gap` rows between two frames.
PanelLayout stack_panels_in(const PlotArea& whole, int gap, bool phase, bool deviation);

// The phase range: [lo, hi] widened outward to multiples of 45 degrees (a
// single value to those either side; no phase at all to -180 ... 180), and
// its labelled lines every 45 degrees, or 90 (180, 360, ...) when 45 would
// give more than eight steps.
TickRule fit_phase_range(double& lo, double& hi, bool any);

// The labelled lines of the phase range [lo, hi]: multiples of 45 degrees,
// or of 90 (180, 360, ...) when 45 would give more than eight steps.
TickRule phase_tick_rule(double lo, double hi);
