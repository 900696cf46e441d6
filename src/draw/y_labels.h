#pragma once

#include <gd.h>

#include "layout/plot_area.h"

// The labels of the area's Y axis, right-aligned left of it, in `black`:
// the twin of draw_x_labels turned a quarter turn.
void draw_y_labels(gdImagePtr image, int black, const PlotArea& area, int sub_grid_y);
