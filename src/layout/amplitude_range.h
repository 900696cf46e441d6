#pragma once

#include "core/curve.h"
#include "core/response_point.h"

// The amplitude range of the run of points the plot shows. It starts from
// the first point whatever its frequency, starts afresh at every point below
// x_min, takes in the points between x_min and x_max (inclusive) and stops
// at the first point above x_max. `points` must not be empty. Returns
// whether the run holds a point between x_min and x_max.
bool find_amplitude_range(const PointList& points, double x_min, double x_max, double& y_min,
                          double& y_max);

// The amplitude range of several curves: the union of the ranges of those
// whose run holds a point between x_min and x_max; when none does, the
// first curve's range alone, as a picture of that curve would have it.
// `curves` and each curve's points must not be empty.
void find_common_amplitude_range(const CurveList& curves, double x_min, double x_max, double& y_min,
                                 double& y_max);

// The amplitude range a fitted picture shows: the amplitudes of every point
// between x_min and x_max (inclusive), whatever the order of the points,
// and where a segment crosses x_min or x_max, the amplitude it has there
// (interpolated in each axis's scale, between points the axes can show).
// Returns false when there is no such amplitude.
bool fitted_amplitude_range(const CurveList& curves, double x_min, double x_max, bool log_x,
                            bool log_y, double& y_min, double& y_max);
