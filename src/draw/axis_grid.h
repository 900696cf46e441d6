#pragma once

#include <gd.h>

#include "layout/axis_walk.h"
#include "layout/plot_area.h"

// A line across the area at column `pixel` (X) or row `pixel` (Y), drawn
// from the left or top so that the dash pattern starts there.
void draw_grid_line(gdImagePtr image, int black, const PlotArea& area, Orientation orientation,
                    int pixel, bool dashed);

// The decade lines of a log10 axis across the area, solid, and with
// sub_grid > 1 the dashed lines at the multiples of each decade's value
// over sub_grid that fall strictly inside the area. Those lie below the
// decade's line, so the part of a decade above the last line gets its
// lines only when `complete`.
void draw_log_grid(gdImagePtr image, int black, const PlotArea& area, Orientation orientation,
                   int sub_grid, bool complete);

// The grid of the area's X (horizontal) or Y (vertical) axis, on its scale:
// the log10 grid, or the dashed inner lines of a linear grid of sub_grid
// steps that fall strictly inside the area.
void draw_grid(gdImagePtr image, int black, const PlotArea& area, Orientation orientation,
               int sub_grid);
