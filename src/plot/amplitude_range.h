#pragma once

#include "core/response_point.h"

// The amplitude range of the run of points the plot shows. It starts from
// the first point whatever its frequency, starts afresh at every point below
// x_min, takes in the points between x_min and x_max (inclusive) and stops
// at the first point above x_max. `points` must not be empty.
void find_amplitude_range(const PointList& points, double x_min, double x_max, double& y_min,
                          double& y_max);
