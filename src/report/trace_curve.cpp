#include "report/trace_curve.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <numbers>

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

// log2 to about 1e-13, several times faster than the library's: a curve
// of millions of points needs two per point. The mantissa m in [1, 2) is
// c (1 + r), c the middle of its 128th of the octave (1/c and log2 c from a
// table made at compile time), |r| < 1/255, and log2(1 + r) is the first
// four terms of its series. Zero, subnormal and infinite values go to the
// library.
constexpr int table_bits = 7;
constexpr int mantissa_bits = 52, exponent_mask = 0x7FF, exponent_bias = 1023;

struct Octave {
  double inverse;  // 1/c
  double log2;     // log2 c
};

// log2 m for m in [1, 2), to the last bit, by the series of
// atanh((m - 1) / (m + 1)): for the table only.
constexpr double series_log2(double m) {
  double s = (m - 1) / (m + 1), s2 = s * s, power = s, sum = 0;
  for (int k = 1; k < 80; k += 2, power *= s2) sum += power / k;
  return 2 * sum * std::numbers::log2e;
}

constexpr auto octaves = [] {
  std::array<Octave, size_t{1} << table_bits> table{};
  for (size_t j = 0; j < table.size(); ++j) {
    double c = 1 + (static_cast<double>(j) + 0.5) / static_cast<double>(table.size());
    table[j] = {1 / c, series_log2(c)};
  }
  return table;
}();

double fast_log2(double v) {
  uint64_t bits = std::bit_cast<uint64_t>(v);
  int biased = static_cast<int>(bits >> mantissa_bits) & exponent_mask;
  if (biased == 0 || biased == exponent_mask) return std::log2(v);
  constexpr uint64_t fraction = (uint64_t{1} << mantissa_bits) - 1;
  constexpr uint64_t one = uint64_t{exponent_bias} << mantissa_bits;
  double m = std::bit_cast<double>((bits & fraction) | one);
  const Octave& o = octaves[(bits & fraction) >> (mantissa_bits - table_bits)];
  double r = m * o.inverse - 1;
  double series = r * (1 - r * (1.0 / 2 - r * (1.0 / 3 - r * (1.0 / 4))));
  return (biased - exponent_bias) + o.log2 + series * std::numbers::log2e;
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

// floor() of a value well inside int64_t, without the library call (an
// indirect one in a static binary) that cost a tenth of a dense curve's
// tracing.
int64_t floor_column(double v) {
  auto c = static_cast<int64_t>(v);
  return v < static_cast<double>(c) ? c - 1 : c;
}

// Builds the runs, keeping per raster column the four vertices that decide
// its pixels.
class RunBuilder {
 public:
  RunBuilder(double per_unit, TracedCurve& traced) : per_unit_(per_unit), traced_(traced) {}

  void add(Vertex v) {
    // Vertices lie within a few units of the area: their columns are small.
    int64_t column = floor_column(v.x * per_unit_);
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

// Walks the vertices in order: cuts the segments at the rectangle, breaks
// the runs where a vertex cannot be placed, keeps lone points.
class Tracer {
 public:
  Tracer(const Rect& r, double per_unit, TracedCurve& traced) : r_(r), runs_(per_unit, traced) {}

  void take(Vertex q) {
    if (!finite(q)) {
      runs_.end_run();
      lone_point();
      have_prev_ = false;
      return;
    }
    bool drawn = false, inside = r_.holds(q);
    double t0 = 0, t1 = 1;
    if (have_prev_ && prev_inside_ && inside) {
      if (!runs_.in_run()) runs_.add(prev_);
      runs_.add(q);
      drawn = prev_drawn_ = true;
    } else if (have_prev_ && clip_segment(prev_, q, r_, t0, t1)) {
      Vertex a = point_at(prev_, q, t0), b = point_at(prev_, q, t1);
      if (finite(a) && finite(b)) {
        if (t0 > 0 || !runs_.in_run()) runs_.end_run(), runs_.add(a);
        runs_.add(b);
        if (t1 < 1) runs_.end_run();
        drawn = prev_drawn_ = true;
      }
    }
    if (!drawn) runs_.end_run(), lone_point();
    prev_ = q, have_prev_ = true, prev_drawn_ = drawn, prev_inside_ = inside;
  }

  void finish() {
    runs_.end_run();
    lone_point();
  }

 private:
  // A vertex neither segment beside it drew.
  void lone_point() {
    if (have_prev_ && !prev_drawn_ && r_.holds(prev_)) runs_.add(prev_), runs_.end_run();
  }

  Rect r_;
  RunBuilder runs_;
  Vertex prev_{};
  bool have_prev_ = false, prev_drawn_ = false, prev_inside_ = false;
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
  Tracer tracer({area.left - cut_outside, area.top - cut_outside, area.right + cut_outside,
                 area.bottom + cut_outside},
                per_unit, traced);
  AxisMap x(area.x), y(area.y);
  // A chunk's vertices first, in a loop of their own, where the logs of
  // successive points overlap; then the runs.
  constexpr size_t chunk = 512;
  Vertex q[chunk];
  for (size_t start = 0; start < points.size(); start += chunk) {
    size_t n = std::min(chunk, points.size() - start);
    for (size_t k = 0; k < n; ++k) {
      const ResponsePoint& p = points[start + k];
      q[k] = {area.left + x(p.x), area.bottom - y(p.y)};
    }
    for (size_t k = 0; k < n; ++k) tracer.take(q[k]);
  }
  tracer.finish();
}
