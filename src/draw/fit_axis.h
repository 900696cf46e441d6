#pragma once

#include <gd.h>

#include <vector>

#include "draw/power_label.h"
#include "layout/axis_walk.h"
#include "layout/nice_steps.h"
#include "layout/plot_area.h"

// The grid and labels of a fitted axis: every line of its rule is drawn and
// labelled, decades as today, the other lines dashed.

// One label as placed: its text, its top-left corner (of the mantissa) and
// the rows or columns it covers along its axis, [from, to).
struct PlacedLabel {
  PowerLabel text;
  int left, top;
  int from, to;
};

// The labels of the axis's lines that fit: decades first, then 2x and 5x,
// then the other multiples, each left out when it would come closer than
// a small gap to one already placed; in the order of `from`. A label that
// would run past either edge of a picture `picture_width` wide is moved
// inside it.
std::vector<PlacedLabel> place_tick_labels(const PlotArea& area, Orientation orientation,
                                           const TickRule& rule, int picture_width);

// The lines: on log10 the decade grid (with sub_grid subdivisions) and the
// other labelled lines dashed; on linear the labelled lines dashed. Lines
// on the frame are left to the frame.
void draw_fit_grid(gdImagePtr image, int black, const PlotArea& area, Orientation orientation,
                   const TickRule& rule, int sub_grid);

// The labels below the area (X) or left of it (Y).
void draw_fit_labels(gdImagePtr image, int black, const PlotArea& area, Orientation orientation,
                     const TickRule& rule);
