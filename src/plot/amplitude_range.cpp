#include "plot/amplitude_range.h"

#include <cstddef>

void find_amplitude_range(const PointList& points, double x_min, double x_max, double& y_min,
                          double& y_max) {
  y_min = y_max = points.front().y;
  for (size_t i = 1; i < points.size(); ++i) {
    double f = points[i].x;
    double a = points[i].y;
    if (f < x_min) {
      y_min = y_max = a;
    } else if (f > x_max) {
      return;
    } else {
      if (a > y_max) y_max = a;
      if (a < y_min) y_min = a;
    }
  }
}
