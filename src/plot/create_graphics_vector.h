#pragma once

#include "core/response_point.h"
#include "plot/pixel_point.h"
#include "plot/plot_area.h"

// Maps the points inside both ranges of `area` (its axes set by set_axes)
// to image pixels, truncating toward zero: x.min falls on column area.left,
// y.min on row area.bottom. With `positive_only`, points at or below 0 on a
// log10 axis are left out. The points are taken by value and released
// before returning. Returns 0 (list arrived empty) or 1 (earlier vertices
// discarded), 2 when no point lies inside.
int map_to_area(PointList points, const PlotArea& area, VertexList& vertices, bool positive_only);

// map_to_area on the area of the given left and bottom edges and spans,
// with the axes checked first: -1 for an unusable X range, -2 for an
// unusable Y range, with the reason in last_error and the list left empty.
int create_graphics_vector(PointList points, double x_min, double x_max, double y_min, double y_max,
                           bool log_x, bool log_y, int plot_left, int plot_bottom, int plot_width,
                           int plot_height, VertexList& vertices, bool positive_only);
