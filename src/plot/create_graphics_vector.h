#pragma once

#include <vector>

#include "core/response_point.h"
#include "plot/pixel_point.h"

// Maps the points inside both ranges to image pixels, truncating toward
// zero: x_min falls on column plot_left, y_min on row plot_bottom. The
// points are taken by value and released before returning.
// Returns 0 (list arrived empty) or 1 (earlier vertices discarded), 2 when
// no point lies inside; -1 for an unusable X range, -2 for an unusable Y
// range, with the reason in last_error and the list left empty.
int create_graphics_vector(PointList points, double x_min, double x_max, double y_min, double y_max,
                           bool log_x, bool log_y, int plot_left, int plot_bottom, int plot_width,
                           int plot_height, VertexList& vertices, bool positive_only);
