#include "input/evaluate_computed.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

#include "core/anchor_phase.h"
#include "core/unwrap.h"
#include "layout/fit_range.h"

namespace {

// Enough for a smooth curve however the response bends between columns.
constexpr int points_per_column = 2;

// The computed curves' bands together; false when none has one.
bool computed_band(const CurveList& curves, double& lo, double& hi) {
  bool found = false;
  for (const Curve& c : curves) {
    if (!c.computed || !(c.computed->lo > 0)) continue;
    if (!found || c.computed->lo < lo) lo = c.computed->lo;
    if (!found || c.computed->hi > hi) hi = c.computed->hi;
    found = true;
  }
  return found;
}

// POINTS= of them (else two a column), evenly spaced (in log10 on a log
// axis) from lo to hi, both exactly, so that the fitted axis finds the very
// range it was planned from.
std::vector<double> drawing_grid(double lo, double hi, const PlotOptions& o) {
  int n = o.points > 0 ? o.points : std::max(2, points_per_column * o.size_x);
  std::vector<double> f(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) {
    double t = static_cast<double>(i) / (n - 1);
    f[i] = o.log_x ? lo * std::pow(hi / lo, t) : lo + (hi - lo) * t;
  }
  f.front() = lo;
  f.back() = hi;
  return f;
}

// The drawing grid and, when curves are compared, every measured
// frequency inside the range, in increasing order, each once. A measured
// curve mostly comes in frequency order already: merged, not sorted.
std::vector<double> frequencies(const CurveList& curves, const PlotOptions& o) {
  double lo, hi;
  picture_frequency_range(curves, o, lo, hi);
  std::vector<double> f = drawing_grid(lo, hi, o);
  for (const Curve& c : curves) {
    if (!o.diff || c.computed) continue;
    size_t merged = f.size();
    for (const ResponsePoint& p : c.points) {
      if (p.x >= lo && p.x <= hi) f.push_back(p.x);
    }
    // A verdict must meet a measured line that gave no point, too.
    if (o.tol_given) {
      for (const ResponsePoint& p : c.unreadable) {
        if (p.x >= lo && p.x <= hi) f.push_back(p.x);
      }
    }
    auto middle = f.begin() + static_cast<std::ptrdiff_t>(merged);
    if (!std::is_sorted(middle, f.end())) std::sort(middle, f.end());
    std::inplace_merge(f.begin(), middle, f.end());
  }
  f.erase(std::unique(f.begin(), f.end()), f.end());
  return f;
}

// A response list is known at its own frequencies only: those inside the
// range the grid spans.
std::vector<double> own_frequencies_within(const ComputedResponse& r,
                                           const std::vector<double>& grid) {
  std::vector<double> f;
  for (double x : r.own_frequencies) {
    if (x >= grid.front() && x <= grid.back()) f.push_back(x);
  }
  return f;
}

void evaluate(Curve& c, const std::vector<double>& grid, bool with_phases) {
  const ComputedResponse& r = *c.computed;
  std::vector<double> own;
  if (!r.own_frequencies.empty()) own = own_frequencies_within(r, grid);
  const std::vector<double>& frequencies = r.own_frequencies.empty() ? grid : own;
  if (r.at_all) {
    PointList phases;
    r.at_all(frequencies, c.points, phases);
    if (with_phases) c.phases = std::move(phases);
  } else {
    c.points.reserve(frequencies.size());
    if (with_phases) c.phases.reserve(frequencies.size());
    for (double f : frequencies) {
      double amplitude, degrees;
      r.at(f, amplitude, degrees);
      c.points.push_back({f, amplitude});
      if (with_phases) c.phases.push_back({f, degrees});
    }
  }
  if (!with_phases) return;
  // A root right of the axis turns its angle past 180 degrees between two
  // frequencies; the response itself runs on.
  unwrap_phase(c.phases);
  c.computed_phases = true;
}

}  // namespace

void picture_frequency_range(const CurveList& curves, const PlotOptions& o, double& lo,
                             double& hi) {
  lo = o.x_min, hi = o.x_max;
  if (!o.fit) return;
  if (!o.x_axis_given && !data_frequency_range(curves, lo, hi)) computed_band(curves, lo, hi);
  fit_frequency_range(lo, hi, o.log_x);
}

void evaluate_computed(CurveList& curves, const PlotOptions& o) {
  bool any = std::any_of(curves.begin(), curves.end(), [](const Curve& c) { return c.computed; });
  if (!any) return;
  std::vector<double> f = frequencies(curves, o);
  for (Curve& c : curves) {
    if (!c.computed) continue;
    evaluate(c, f, o.phase && o.phase_paths[c.input][0] == '\0');
    anchor_phases(c, o.norm_f);
  }
}
