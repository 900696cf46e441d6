#include "report/trace_curve.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

namespace {

// Lines are cut this far outside the frame, so that their ends and joins
// are hidden by the clip.
constexpr double cut_outside = 4;

struct Rect {
  double x0, y0, x1, y1;
  bool holds(Vertex v) const { return x0 <= v.x && v.x <= x1 && y0 <= v.y && v.y <= y1; }
};

// Liang-Barsky: the part [t0, t1] of a->b inside the rectangle.
bool clip_segment(Vertex a, Vertex b, const Rect& r, double& t0, double& t1) {
  t0 = 0, t1 = 1;
  double dx = b.x - a.x, dy = b.y - a.y;
  auto edge = [&](double p, double q) {
    if (p == 0) return q >= 0;
    double t = q / p;
    if (p < 0) {
      if (t > t1) return false;
      t0 = std::max(t0, t);
    } else {
      if (t < t0) return false;
      t1 = std::min(t1, t);
    }
    return true;
  };
  return edge(-dx, a.x - r.x0) && edge(dx, r.x1 - a.x) && edge(-dy, a.y - r.y0) &&
         edge(dy, r.y1 - a.y);
}

Vertex point_at(Vertex a, Vertex b, double t) {
  return {a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)};
}

// What std::frexp gives, read from the bits of a normal number: the
// library call was a tenth of a dense curve's tracing. Others (subnormal,
// zero, infinite) go to the library.
double mantissa(double v, int& exponent) {
  constexpr int mantissa_bits = 52, exponent_mask = 0x7FF, frexp_bias = 1022;
  constexpr uint64_t half_exponent = uint64_t{frexp_bias} << mantissa_bits;
  uint64_t bits = std::bit_cast<uint64_t>(v);
  int biased = static_cast<int>(bits >> mantissa_bits) & exponent_mask;
  if (biased == 0 || biased == exponent_mask) return std::frexp(v, &exponent);
  exponent = biased - frexp_bias;
  constexpr uint64_t keep = ~(uint64_t{exponent_mask} << mantissa_bits);
  return std::bit_cast<double>((bits & keep) | half_exponent);
}

// log2 to about 1e-9, several times faster than the library's: a curve of
// millions of points needs two per point, and the picture a fraction of a
// pixel. The mantissa m in [sqrt(1/2), sqrt(2)) gives log2(m) by the series
// of atanh((m - 1) / (m + 1)).
double fast_log2(double v) {
  int exponent;
  double m = mantissa(v, exponent);  // [1/2, 1)
  if (m < M_SQRT1_2) m *= 2, --exponent;
  double s = (m - 1) / (m + 1), s2 = s * s;
  double series = s * (1 + s2 * (1.0 / 3 + s2 * (1.0 / 5 + s2 * (1.0 / 7 + s2 * (1.0 / 9)))));
  return exponent + series * (2 / M_LN2);
}

// Where values fall along one axis of the area, in layout units from its
// minimum, for a whole curve.
struct AxisMap {
  bool log;
  double origin;    // log2 of the minimum, or the minimum
  double per_unit;  // layout units per unit of log2 or of value

  explicit AxisMap(const AxisScale& axis)
      : log(axis.log),
        origin(axis.log ? std::log2(axis.min) : axis.min),
        per_unit(axis.log ? axis.scale / std::log2(10.0) : axis.scale) {}

  double operator()(double v) const {
    if (!log) return (v - origin) * per_unit;
    return v > 0 && std::isfinite(v) ? (fast_log2(v) - origin) * per_unit : NAN;
  }
};

bool finite(Vertex v) {
  return std::isfinite(v.x) && std::isfinite(v.y);
}

// Builds the runs, keeping per raster column the four vertices that decide
// its pixels.
class RunBuilder {
 public:
  RunBuilder(double per_unit, TracedCurve& traced) : per_unit_(per_unit), traced_(traced) {}

  void add(Vertex v) {
    int64_t column = static_cast<int64_t>(std::floor(v.x * per_unit_));
    if (count_ > 0 && column != column_) flush_column();
    if (count_ == 0) {
      column_ = column;
      first_ = low_ = high_ = {v, 0};
    }
    if (v.y < low_.v.y) low_ = {v, count_};
    if (v.y > high_.v.y) high_ = {v, count_};
    last_ = {v, count_++};
    in_run_ = true;
  }

  void end_run() {
    if (!in_run_) return;
    flush_column();
    traced_.ends.push_back(traced_.vertices.size());
    in_run_ = false;
  }

  bool in_run() const { return in_run_; }

 private:
  struct Kept {
    Vertex v;
    int64_t order;
  };

  void flush_column() {
    Kept kept[] = {first_, low_, high_, last_};
    std::sort(std::begin(kept), std::end(kept),
              [](const Kept& a, const Kept& b) { return a.order < b.order; });
    for (size_t i = 0; i < std::size(kept); ++i) {
      if (i == 0 || kept[i].order != kept[i - 1].order) traced_.vertices.push_back(kept[i].v);
    }
    count_ = 0;
  }

  double per_unit_;
  TracedCurve& traced_;
  int64_t column_ = 0;
  int64_t count_ = 0;
  Kept first_{}, low_{}, high_{}, last_{};
  bool in_run_ = false;
};

}  // namespace

double along(const AxisScale& axis, double v) {
  if (!axis.log) return (v - axis.min) * axis.scale;
  return v > 0 ? (std::log10(v) - std::log10(axis.min)) * axis.scale : NAN;
}

void trace_curve(const PointList& points, const PlotArea& area, double per_unit,
                 TracedCurve& traced) {
  traced.vertices.clear();
  traced.ends.clear();
  Rect r{area.left - cut_outside, area.top - cut_outside, area.right + cut_outside,
         area.bottom + cut_outside};
  RunBuilder runs(per_unit, traced);
  AxisMap x(area.x), y(area.y);
  Vertex prev{};
  bool have_prev = false, prev_drawn = false;
  auto lone_point = [&] {
    if (have_prev && !prev_drawn && r.holds(prev)) runs.add(prev), runs.end_run();
  };
  for (const ResponsePoint& p : points) {
    Vertex q{area.left + x(p.x), area.bottom - y(p.y)};
    if (!finite(q)) {
      runs.end_run();
      lone_point();
      have_prev = false;
      continue;
    }
    bool drawn = false;
    double t0 = 0, t1 = 1;
    if (have_prev && r.holds(prev) && r.holds(q)) {
      if (!runs.in_run()) runs.add(prev);
      runs.add(q);
      drawn = prev_drawn = true;
    } else if (have_prev && clip_segment(prev, q, r, t0, t1)) {
      Vertex a = point_at(prev, q, t0), b = point_at(prev, q, t1);
      if (finite(a) && finite(b)) {
        if (t0 > 0 || !runs.in_run()) runs.end_run(), runs.add(a);
        runs.add(b);
        if (t1 < 1) runs.end_run();
        drawn = prev_drawn = true;
      }
    }
    if (!drawn) runs.end_run(), lone_point();
    prev = q, have_prev = true, prev_drawn = drawn;
  }
  runs.end_run();
  lone_point();
}
