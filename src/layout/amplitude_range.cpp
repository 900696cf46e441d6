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

// The least and greatest finite values taken, the first taken of equal
// ones kept (of 0 and -0, whichever came first): empty while lo > hi.
struct Extent {
  double lo = HUGE_VAL, hi = -HUGE_VAL;
  bool found() const { return lo <= hi; }
  void take(double v) {
    if (!std::isfinite(v)) return;
    lo = v < lo ? v : lo;
    hi = v > hi ? v : hi;
  }
};

bool placeable(const ResponsePoint& p, bool log_x, bool log_y) {
  return !(log_x && !(p.x > 0)) && !(log_y && !(p.y > 0));
}

// Whether the frequency `edge` lies strictly between those of a and b.
bool crosses(const ResponsePoint& a, const ResponsePoint& b, double edge) {
  return (a.x < edge && edge < b.x) || (b.x < edge && edge < a.x);
}

// The amplitude where the segment from a to b crosses the frequency `edge`.
void take_crossing(const ResponsePoint& a, const ResponsePoint& b, double edge, bool log_x,
                   bool log_y, Extent& e) {
  if (!crosses(a, b, edge)) return;
  double t = (scaled(edge, log_x) - scaled(a.x, log_x)) / (scaled(b.x, log_x) - scaled(a.x, log_x));
  double ya = scaled(a.y, log_y), yb = scaled(b.y, log_y);
  e.take(unscaled(ya + t * (yb - ya), log_y));
}

// One curve's amplitudes inside the range and where it crosses the range's
// ends, in the order of its points. Few segments cross an end: the
// common case is a compare or two.
void take_curve(const PointList& p, double x_min, double x_max, bool log_x, bool log_y, Extent& e) {
  for (size_t i = 0; i < p.size(); ++i) {
    if (between(p[i].x, x_min, x_max)) e.take(p[i].y);
    if (i == 0) continue;
    const ResponsePoint& a = p[i - 1];
    if (!crosses(a, p[i], x_min) && !crosses(a, p[i], x_max)) continue;
    if (!placeable(a, log_x, log_y) || !placeable(p[i], log_x, log_y)) continue;
    take_crossing(a, p[i], x_min, log_x, log_y, e);
    take_crossing(a, p[i], x_max, log_x, log_y, e);
  }
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
  for (const Curve& curve : curves) take_curve(curve.points, x_min, x_max, log_x, log_y, e);
  if (e.found()) y_min = e.lo, y_max = e.hi;
  return e.found();
}
