#include "layout/amplitude_range.h"

#include <cstddef>

namespace {

bool between(double f, double x_min, double x_max) {
  return x_min <= f && f <= x_max;
}

}  // namespace

bool find_amplitude_range(const PointList& points, double x_min, double x_max, double& y_min,
                          double& y_max) {
  y_min = y_max = points.front().y;
  bool inside = between(points.front().x, x_min, x_max);
  for (size_t i = 1; i < points.size(); ++i) {
    double f = points[i].x;
    double a = points[i].y;
    if (f < x_min) {
      y_min = y_max = a;
      inside = false;
    } else if (f > x_max) {
      break;
    } else {
      if (a > y_max) y_max = a;
      if (a < y_min) y_min = a;
      inside = true;
    }
  }
  return inside;
}

void find_common_amplitude_range(const CurveList& curves, double x_min, double x_max, double& y_min,
                                 double& y_max) {
  bool found = find_amplitude_range(curves.front().points, x_min, x_max, y_min, y_max);
  for (size_t i = 1; i < curves.size(); ++i) {
    double lo, hi;
    if (!find_amplitude_range(curves[i].points, x_min, x_max, lo, hi)) continue;
    if (!found || lo < y_min) y_min = lo;
    if (!found || hi > y_max) y_max = hi;
    found = true;
  }
}
