#pragma once

#include <gd.h>

#include "plot/plot_area.h"

// Draws the frequency grid across the plot area and its labels below it, in
// `black`: decade lines with optional dashed subdivisions on a log10 scale,
// or sub_grid_x - 1 equal intervals on a linear one.
void draw_x_axis(gdImagePtr image, int black, double x_min, double x_max, bool log_x,
                 int sub_grid_x, int plot_right, int plot_bottom);

// The labels half of draw_x_axis for the X axis of `area`, below it; the
// grid is draw_grid's (plot/axis_grid.h). They touch different pixels, so
// either may come first, and a plot stacked above another may go without
// labels.
void draw_x_labels(gdImagePtr image, int black, const PlotArea& area, int sub_grid_x);
