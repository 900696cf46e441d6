#include "compare/deviation.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <string>

#include "core/diagnostic.h"
#include "core/fail.h"
#include "core/messages.h"
#include "input/unwrap.h"

namespace {

constexpr double db_per_decade = 20;  // of an amplitude ratio
constexpr double half_turn = 180, turn = 360;

// A response in frequency order as the interpolation reads it: log10 of
// the frequency, and log10 of the amplitude or the phase in degrees.
struct Table {
  std::vector<double> log_f, value;
};

// The points with a positive frequency (and with `log_value` a positive
// value), in frequency order; for the phases unwrapped in that order.
PointList ordered(const PointList& points, bool log_value, size_t& left_out) {
  PointList sorted;
  sorted.reserve(points.size());
  for (const ResponsePoint& p : points) {
    if (p.x > 0 && (!log_value || p.y > 0)) sorted.push_back(p);
  }
  left_out = points.size() - sorted.size();
  std::stable_sort(sorted.begin(), sorted.end(),
                   [](const ResponsePoint& a, const ResponsePoint& b) { return a.x < b.x; });
  if (!log_value) unwrap_phase(sorted);
  return sorted;
}

Table table_of(const PointList& sorted, bool log_value) {
  Table t;
  for (const ResponsePoint& p : sorted) {
    t.log_f.push_back(std::log10(p.x));
    t.value.push_back(log_value ? std::log10(p.y) : p.y);
  }
  return t;
}

// The table's value at log frequency lf inside its range, linear between
// its neighbours; at a frequency listed twice, the later value.
double value_at(const Table& t, double lf) {
  auto hi = std::upper_bound(t.log_f.begin(), t.log_f.end(), lf);
  size_t j = static_cast<size_t>(hi - t.log_f.begin());
  if (j == 0) return t.value.front();
  if (j == t.log_f.size() || t.log_f[j - 1] == lf) return t.value[j - 1];
  double w = (lf - t.log_f[j - 1]) / (t.log_f[j] - t.log_f[j - 1]);
  return t.value[j - 1] + w * (t.value[j] - t.value[j - 1]);
}

bool inside(const Table& t, double lf) {
  return !t.log_f.empty() && t.log_f.front() <= lf && lf <= t.log_f.back();
}

PointList amplitude_deviation(const Table& ref, const PointList& points) {
  size_t left_out;
  PointList out;
  for (const ResponsePoint& p : ordered(points, true, left_out)) {
    double lf = std::log10(p.x);
    if (inside(ref, lf))
      out.push_back({p.x, db_per_decade * (std::log10(p.y) - value_at(ref, lf))});
  }
  return out;
}

PointList phase_deviation(const Table& ref, const PointList& phases) {
  size_t left_out;
  PointList out;
  for (const ResponsePoint& p : ordered(phases, false, left_out)) {
    double lf = std::log10(p.x);
    if (inside(ref, lf)) out.push_back({p.x, p.y - value_at(ref, lf)});
  }
  unwrap_phase(out);
  if (!out.empty()) {
    double turns = std::round(out.front().y / turn);
    for (ResponsePoint& p : out) p.y -= turns * turn;
  }
  return out;
}

std::string key_and_path(const PlotOptions& o, int input) {
  return std::string(input_keys[input].in_key) + input_path(o, input);
}

int deviations_of(CurveList& curves, const PlotOptions& o) {
  size_t left_out;
  Table amplitudes = table_of(ordered(curves.front().points, true, left_out), true);
  if (left_out > 0) {
    diagnose(key_and_path(o, curves.front().input) + ": " + std::to_string(left_out) +
             " points with a frequency or amplitude <= 0 are left out of the deviation");
  }
  Table phases = table_of(ordered(curves.front().phases, false, left_out), false);
  for (size_t i = 1; i < curves.size(); ++i) {
    Curve& c = curves[i];
    c.deviation = amplitude_deviation(amplitudes, c.points);
    if (c.deviation.empty()) {
      last_error = std::string(message::no_common_frequency) + ": " + key_and_path(o, c.input);
      return -1;
    }
    if (o.phase) c.phase_deviation = phase_deviation(phases, c.phases);
  }
  return 0;
}

}  // namespace

int compute_deviations(CurveList& curves, const PlotOptions& o) {
  try {
    return deviations_of(curves, o);
  } catch (const std::bad_alloc&) {
    return fail(message::no_memory_for_points, -1);
  }
}
