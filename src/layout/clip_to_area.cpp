#include "layout/clip_to_area.h"

#include <algorithm>
#include <cmath>

#include "layout/to_pixel.h"

namespace {

// A point in the area's own units: the distance from each axis's minimum,
// in decades on log10, in values on linear; `usable` false where a log10
// axis has no place for it.
struct AxisPoint {
  double u, w;
  bool usable;
};

double along(const AxisScale& axis, double v) {
  return axis.log ? std::log10(v / axis.min) : v - axis.min;
}

AxisPoint axis_point(const AxisScale& x, const AxisScale& y, const ResponsePoint& p) {
  bool usable = !(x.log && !(p.x > 0)) && !(y.log && !(p.y > 0));
  if (!usable) return {0, 0, false};
  AxisPoint q{along(x, p.x), along(y, p.y), true};
  return {q.u, q.w, std::isfinite(q.u) && std::isfinite(q.w)};
}

// The same arithmetic as map_to_area, so that a point inside lands where
// it always did.
PixelPoint pixel_of(const PlotArea& a, double u, double w) {
  return {to_pixel(u * a.x.scale + a.left), to_pixel(a.bottom - w * a.y.scale)};
}

// The point at t along the segment from p to q, kept on the frame: with
// ends far outside, the arithmetic may land a few units beyond it.
PixelPoint cut_at(const PlotArea& a, const AxisPoint& p, const AxisPoint& q, double t, double u_max,
                  double w_max) {
  double u = std::clamp(p.u + t * (q.u - p.u), 0.0, u_max);
  double w = std::clamp(p.w + t * (q.w - p.w), 0.0, w_max);
  return pixel_of(a, u, w);
}

// Liang-Barsky: the part [t0, t1] of the segment from p to q inside the box
// [0, u_max] x [0, w_max]; false when none is.
bool clip(const AxisPoint& p, const AxisPoint& q, double u_max, double w_max, double& t0,
          double& t1) {
  t0 = 0;
  t1 = 1;
  double du = q.u - p.u, dw = q.w - p.w;
  const double edges[4][2] = {{-du, p.u}, {du, u_max - p.u}, {-dw, p.w}, {dw, w_max - p.w}};
  for (const auto& [step, room] : edges) {
    if (step == 0) {
      if (room < 0) return false;
      continue;
    }
    double t = room / step;
    if (step < 0 && t > t0) t0 = t;
    if (step > 0 && t < t1) t1 = t;
    if (t0 > t1) return false;
  }
  return true;
}

class RunBuilder {
 public:
  explicit RunBuilder(VertexRuns& runs) : runs_(runs) {}
  void add(PixelPoint p) { runs_.vertices.push_back(p); }
  void end() {
    size_t start = runs_.ends.empty() ? 0 : runs_.ends.back();
    if (runs_.vertices.size() > start) runs_.ends.push_back(runs_.vertices.size());
  }

 private:
  VertexRuns& runs_;
};

}  // namespace

void clip_to_area(const PointList& points, const PlotArea& area, VertexRuns& runs) {
  runs.vertices.clear();
  runs.ends.clear();
  runs.vertices.reserve(points.size());
  RunBuilder run(runs);
  double u_max = along(area.x, area.x.max), w_max = along(area.y, area.y.max);
  AxisPoint prev{0, 0, false};
  bool prev_inside = false;  // and so the last vertex of the open run
  for (const ResponsePoint& p : points) {
    AxisPoint q = axis_point(area.x, area.y, p);
    bool inside = q.usable && area.x.min <= p.x && p.x <= area.x.max && area.y.min <= p.y &&
                  p.y <= area.y.max;
    double t0, t1;
    if (inside && prev_inside) {
      run.add(pixel_of(area, q.u, q.w));
    } else if (!q.usable || !prev.usable || !clip(prev, q, u_max, w_max, t0, t1)) {
      run.end();
      if (inside) run.add(pixel_of(area, q.u, q.w));
    } else {
      if (!prev_inside) {
        run.end();
        run.add(cut_at(area, prev, q, t0, u_max, w_max));
      }
      if (inside) {
        run.add(pixel_of(area, q.u, q.w));
      } else {
        run.add(cut_at(area, prev, q, t1, u_max, w_max));
        run.end();
      }
    }
    prev = q;
    prev_inside = inside;
  }
  run.end();
}
