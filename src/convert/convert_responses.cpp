#include "convert/convert_responses.h"

#include <cmath>
#include <new>
#include <numbers>
#include <string>

#include "convert/curve_units.h"
#include "core/anchor_phase.h"
#include "core/decibels.h"
#include "core/diagnostic.h"
#include "core/fail.h"
#include "core/log_table.h"
#include "core/messages.h"

namespace {

constexpr double quarter_turn = 90;  // degrees of phase per order of differentiation

// Keeps the points `keep` accepts, in order, changed by `change`.
template <class Keep, class Change>
size_t rework(PointList& points, Keep keep, Change change) {
  size_t kept = 0;
  for (ResponsePoint p : points) {
    if (!keep(p)) continue;
    change(p);
    points[kept++] = p;
  }
  size_t dropped = points.size() - kept;
  points.resize(kept);
  return dropped;
}

// An amplitude the factor takes beyond the double range has no place on
// any axis and is left out with its point; a verdict still counts it, as
// a line whose amplitude could not be used.
void convert_units(Curve& c, int order, bool compared) {
  auto factor = [&](const ResponsePoint& p) { return std::pow(2 * std::numbers::pi * p.x, order); };
  auto keep = [&](const ResponsePoint& p) {
    if (p.x <= 0) return false;
    double y = p.y * factor(p);
    if (!std::isfinite(y) && compared) c.unreadable.push_back({p.x, y});
    return std::isfinite(y);
  };
  rework(c.points, keep, [&](ResponsePoint& p) { p.y *= factor(p); });
  rework(
      c.phases, [](const ResponsePoint& p) { return p.x > 0; },
      [&](ResponsePoint& p) { p.y += order * quarter_turn; });
}

// A computed response is normalised by its own value at f, wherever f lies.
int normalise_computed(Curve& c, const PlotOptions& o, int order) {
  double at, unused;
  c.computed->at(o.norm_f, at, unused);
  at *= std::pow(2 * std::numbers::pi * o.norm_f, order);
  if (!(at > 0 && std::isfinite(at))) {
    last_error = std::string(message::nothing_at_norm) + ": " + key_and_path(o, c.input);
    return -1;
  }
  for (ResponsePoint& p : c.points) p.y /= at;
  return 0;
}

int normalise(Curve& c, const PlotOptions& o, int order) {
  if (c.computed) return normalise_computed(c, o, order);
  LogTable table(c.points, TableValues::log_amplitude);
  if (!table.covers(o.norm_f)) {
    last_error = std::string(message::nothing_at_norm) + ": " + key_and_path(o, c.input);
    return -1;
  }
  double at = table.at(o.norm_f);
  for (ResponsePoint& p : c.points) p.y /= at;
  return 0;
}

// A curve a conversion left without points fails as a file without any.
int emptied(const Curve& c, const PlotOptions& o) {
  last_error = message::no_point;
  if (c.input > 0) last_error += ": " + key_and_path(o, c.input);
  return -1;
}

int convert(CurveList& curves, const PlotOptions& o) {
  for (Curve& c : curves) {
    int order = conversion_order(c, o);
    // UNITS=from,to converts (and so leaves out frequencies at or below 0)
    // even where from is to, as it always has.
    if (order != 0 || o.units_from >= 0) convert_units(c, order, o.tol_given);
    if (order != 0) anchor_phases(c, o.norm_f);
    if (c.points.empty()) return emptied(c, o);
    if (o.norm_f > 0 && normalise(c, o, order) < 0) return -1;
  }
  return 0;
}

}  // namespace

int convert_responses(CurveList& curves, const PlotOptions& o) {
  try {
    return convert(curves, o);
  } catch (const std::bad_alloc&) {
    return fail(message::no_memory_for_points, -1);
  }
}

int to_decibels(CurveList& curves, const PlotOptions& o) {
  for (Curve& c : curves) {
    size_t dropped = rework(
        c.points, [](const ResponsePoint& p) { return p.y > 0 && std::isfinite(p.y); },
        [](ResponsePoint& p) { p.y = db_per_decade * std::log10(p.y); });
    if (dropped > 0) {
      diagnose(key_and_path(o, c.input) + ": " + std::to_string(dropped) +
               " points with an amplitude <= 0 or beyond the double range have no decibels and "
               "are left out");
    }
    if (c.points.empty()) return emptied(c, o);
  }
  return 0;
}
