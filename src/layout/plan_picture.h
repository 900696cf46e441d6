#pragma once

#include "core/curve.h"
#include "core/plot_options.h"
#include "layout/nice_steps.h"
#include "layout/plot_area.h"

// A picture as numbers, before any pixel: where its plot areas lie, what
// their axes show and which lines the fitted axes label. The phase area
// and the rules are set only when the options ask for them.
struct PicturePlan {
  // The picture's size in layout units, and the device pixels a unit takes
  // (layout_size): the plan and both renderers work in these units, the
  // options keep the size asked for.
  int size_x = 0;
  int size_y = 0;
  double scale = 1;
  PlotArea amplitude;
  PlotArea phase;   // with the phase panel: below the amplitude, same X axis
  TickRule x_rule;  // with fit: the labelled lines of each axis
  TickRule y_rule;
  TickRule phase_rule;       // with the phase panel
  PlotArea deviation;        // with -diff: the deviation from IN= in dB, below
  PlotArea phase_deviation;  // with -diff and the phase: the phase deviation in degrees
  TickRule deviation_rule;
  TickRule phase_deviation_rule;
  bool fit_x = false;  // the axis drawn with the labelled lines of its rule
  bool fit_y = false;
  bool clipped = false;        // curves cut at the frame (fitted_picture)
  bool phase_drawable = true;  // false: the phases cannot be placed on any axis
  // The report style: false where tick labels take the room the upright
  // axis names would have (plan_report_room).
  bool upright_names = true;
};

// Plans the picture of `curves` (not empty, no curve without points) that
// the options describe, making every check a picture must pass. The
// amplitude range is given (Y_AXIS=), that of all curves together
// (find_common_amplitude_range), or in a fitted picture their fitted range;
// with fit the ranges follow the data. The causes of a failure, and
// phases beyond any axis, are told on standard error.
// Returns 0, or with the reason in last_error:
//   -1 the amplitude range is not positive (with fit and a linear
//      amplitude axis any range is drawn);
//   -2 an axis range cannot be drawn on its scale (message::mapping_refused
//      and the axis's message).
int plan_picture(const CurveList& curves, const PlotOptions& options, PicturePlan& plan);
