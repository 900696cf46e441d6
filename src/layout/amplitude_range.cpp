#include "layout/amplitude_range.h"

#include <cmath>
#include <cstddef>

namespace {

bool between(double f, double x_min, double x_max) {
  return x_min <= f && f <= x_max;
}

// A value's place on an axis scale, and back.
double scaled(double v, bool log) {
  return log ? std::log10(v) : v;
}
double unscaled(double s, bool log) {
  return log ? std::pow(10.0, s) : s;
}

struct Extent {
  bool found = false;
  double lo = 0, hi = 0;
  void take(double v) {
    if (!std::isfinite(v)) return;
    if (!found || v < lo) lo = v;
    if (!found || v > hi) hi = v;
    found = true;
  }
};

bool placeable(const ResponsePoint& p, bool log_x, bool log_y) {
  return !(log_x && !(p.x > 0)) && !(log_y && !(p.y > 0));
}

// The amplitude where the segment from a to b crosses the frequency `edge`.
void take_crossing(const ResponsePoint& a, const ResponsePoint& b, double edge, bool log_x,
                   bool log_y, Extent& e) {
  if (!((a.x < edge && edge < b.x) || (b.x < edge && edge < a.x))) return;
  double t = (scaled(edge, log_x) - scaled(a.x, log_x)) / (scaled(b.x, log_x) - scaled(a.x, log_x));
  double ya = scaled(a.y, log_y), yb = scaled(b.y, log_y);
  e.take(unscaled(ya + t * (yb - ya), log_y));
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

bool fitted_amplitude_range(const CurveList& curves, double x_min, double x_max, bool log_x,
                            bool log_y, double& y_min, double& y_max) {
  Extent e;
  for (const Curve& curve : curves) {
    const PointList& p = curve.points;
    for (size_t i = 0; i < p.size(); ++i) {
      if (between(p[i].x, x_min, x_max)) e.take(p[i].y);
      const ResponsePoint* a = i > 0 ? &p[i - 1] : nullptr;
      if (a == nullptr || !placeable(*a, log_x, log_y) || !placeable(p[i], log_x, log_y)) continue;
      take_crossing(*a, p[i], x_min, log_x, log_y, e);
      take_crossing(*a, p[i], x_max, log_x, log_y, e);
    }
  }
  if (e.found) y_min = e.lo, y_max = e.hi;
  return e.found;
}
