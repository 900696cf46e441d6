#pragma once

#include <gd.h>

#include "plot/plot_area.h"

// Draws the amplitude grid across the plot area and its labels, right-aligned
// left of it, in `black`: the twin of draw_x_axis turned a quarter turn.
void draw_y_axis(gdImagePtr image, int black, double y_min, double y_max, bool log_y,
                 int sub_grid_y, int plot_right, int plot_bottom);

// The labels half of draw_y_axis for the Y axis of `area`, left of it; the
// grid is draw_grid's (plot/axis_grid.h).
void draw_y_labels(gdImagePtr image, int black, const PlotArea& area, int sub_grid_y);
