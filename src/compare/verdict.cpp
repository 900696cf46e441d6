#include "compare/verdict.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <string_view>

#include "core/messages.h"

namespace {

// More ranges than this would bury the line: the rest are only counted.
constexpr size_t ranges_listed = 4;

// The deviation of largest magnitude inside [x.min, x.max]; false if none.
// A NaN marks a point not judged.
bool largest(const PointList& deviation, const AxisScale& x, double& value, double& at) {
  bool found = false;
  for (const ResponsePoint& p : deviation) {
    if (!(x.min <= p.x && p.x <= x.max) || std::isnan(p.y)) continue;
    if (!found || std::fabs(p.y) > std::fabs(value)) value = p.y, at = p.x;
    found = true;
  }
  return found;
}

bool about_phase(Unjudged why) {
  return why == Unjudged::no_phase || why == Unjudged::no_reference_phase;
}

// The points not judged inside the range, joined into ranges; a point
// lacking only its phase counts where degrees are judged. A range fitted
// to the data holds every point: one left out of the fitting (a line that
// gave no point, an amplitude -dB has no decibels for) counts too.
void count_not_judged(const Curve& c, const AxisScale& x, bool range_fitted, bool degrees_judged,
                      Verdict& v) {
  size_t next = 0;  // the order a point continuing the last range has
  for (const NotJudged& n : c.not_judged) {
    bool inside = range_fitted || (x.min <= n.f && n.f <= x.max);
    if (!inside || (about_phase(n.why) && !degrees_judged)) continue;
    ++v.not_judged;
    if (!v.gaps.empty() && n.order == next && v.gaps.back().why == n.why) {
      v.gaps.back().to = n.f;
    } else {
      v.gaps.push_back({n.f, n.f, n.why});
    }
    next = n.order + 1;
  }
}

const char* reason(Unjudged why) {
  switch (why) {
    case Unjudged::amplitude_not_positive:
      return message::why_amplitude_not_positive;
    case Unjudged::amplitude_not_finite:
      return message::why_amplitude_not_finite;
    case Unjudged::beyond_reference:
      return message::why_beyond_reference;
    case Unjudged::reference_dead:
      return message::why_reference_dead;
    case Unjudged::no_phase:
      return message::why_no_phase;
    case Unjudged::no_reference_phase:
      return message::why_no_reference_phase;
  }
  return "";
}

std::string frequency(double f) {
  char text[40];
  snprintf(text, sizeof text, "%.3g", f);
  return text;
}

// "58 points not judged (5–30 Hz: amplitude <= 0; 200 Hz: no phase): not judged".
std::string not_judged_part(const Verdict& v) {
  std::string text = std::to_string(v.not_judged) +
                     (v.not_judged == 1 ? message::not_judged_point : message::not_judged_points);
  for (size_t i = 0; i < v.gaps.size() && i < ranges_listed; ++i) {
    const UnjudgedRange& g = v.gaps[i];
    if (i > 0) text += message::not_judged_between;
    // A range whose ends print alike prints as one frequency.
    std::string from = frequency(g.from), to = frequency(g.to);
    text += from == to ? from : from + message::not_judged_to + to;
    text += std::string(message::not_judged_why) + reason(g.why);
  }
  if (v.gaps.size() > ranges_listed) {
    text += message::not_judged_between + std::to_string(v.gaps.size() - ranges_listed) +
            message::not_judged_more;
  }
  return text + message::not_judged_end;
}

}  // namespace

std::vector<Verdict> judge(const CurveList& curves, const AxisScale& x, const PlotOptions& o) {
  std::vector<Verdict> verdicts;
  for (size_t i = 1; i < curves.size(); ++i) {
    Verdict v{curves[i].input};
    v.measured = largest(curves[i].deviation, x, v.db, v.db_at);
    v.within = v.measured && std::fabs(v.db) <= o.tol_db;
    v.phase_wanted = o.phase;
    v.phase = o.phase && largest(curves[i].phase_deviation, x, v.deg, v.deg_at);
    bool phase_met = !o.tol_deg_given || (v.phase && std::fabs(v.deg) <= o.tol_deg);
    if (o.phase && !phase_met) v.within = false;
    count_not_judged(curves[i], x, o.fit && !o.x_axis_given, o.phase && o.tol_deg_given, v);
    if (v.not_judged > 0) v.within = false;
    verdicts.push_back(v);
  }
  return verdicts;
}

std::string verdict_line(const Verdict& v) {
  char text[200];
  std::string_view key = input_name(v.input);
  int k = static_cast<int>(key.size());
  if (!v.measured && v.not_judged > 0) {
    return std::string(key) + ": " + not_judged_part(v);
  }
  if (!v.measured) {
    snprintf(text, sizeof text, message::verdict_unmeasured, k, key.data());
    return text;
  }
  int n = snprintf(text, sizeof text, message::verdict_amplitude, k, key.data(), std::fabs(v.db),
                   v.db_at);
  if (v.phase) {
    n += snprintf(text + n, sizeof text - n, message::verdict_phase, std::fabs(v.deg), v.deg_at);
  } else if (v.phase_wanted) {
    n += snprintf(text + n, sizeof text - n, message::verdict_no_phase);
  }
  if (v.not_judged > 0) return std::string(text) + ", " + not_judged_part(v);
  snprintf(text + n, sizeof text - n, message::verdict_end,
           v.within ? message::within : message::outside);
  return text;
}
