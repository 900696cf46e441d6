#include "compare/deviation.h"

#include <cmath>
#include <new>
#include <string>

#include "core/decibels.h"
#include "core/diagnostic.h"
#include "core/fail.h"
#include "core/log_table.h"
#include "core/messages.h"
#include "core/unwrap.h"

namespace {

constexpr double turn = 360;

PointList amplitude_deviation(const LogTable& ref, const PointList& points) {
  PointList out;
  for (const ResponsePoint& p : in_frequency_order(points)) {
    if (!(p.y > 0) || !ref.covers(p.x)) continue;
    double db = db_per_decade * (std::log10(p.y) - std::log10(ref.at(p.x)));
    if (std::isfinite(db)) out.push_back({p.x, db});
  }
  return out;
}

PointList phase_deviation(const LogTable& ref, const PointList& phases) {
  PointList sorted = in_frequency_order(phases);
  unwrap_phase(sorted);
  PointList out;
  for (const ResponsePoint& p : sorted) {
    double difference = ref.covers(p.x) ? p.y - ref.at(p.x) : NAN;
    if (std::isfinite(difference)) out.push_back({p.x, difference});
  }
  unwrap_phase(out);
  if (!out.empty()) {
    double turns = std::round(out.front().y / turn);
    for (ResponsePoint& p : out) p.y -= turns * turn;
  }
  return out;
}

int deviations_of(CurveList& curves, const PlotOptions& o) {
  LogTable amplitudes(curves.front().points, TableValues::log_amplitude);
  if (amplitudes.left_out() > 0) {
    diagnose(key_and_path(o, curves.front().input) + ": " + std::to_string(amplitudes.left_out()) +
             " points with a frequency or amplitude <= 0 are left out of the deviation");
  }
  LogTable phases(curves.front().phases, TableValues::unwrapped_phase);
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
