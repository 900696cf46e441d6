#pragma once

#include <gd.h>

#include "layout/plot_area.h"

// The labels of the area's X axis below it, in `black`: under each decade
// line on a log10 scale, under the sub_grid_x - 1 inner lines on a linear
// one. The grid is draw_grid's; they touch different pixels, so either may
// come first, and a plot stacked above another goes without them.
void draw_x_labels(gdImagePtr image, int black, const PlotArea& area, int sub_grid_x);
