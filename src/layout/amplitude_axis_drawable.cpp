#include "layout/amplitude_axis_drawable.h"

#include <cmath>
#include <vector>

#include "layout/fit_range.h"
#include "layout/plot_area.h"
#include "layout/tick_labels.h"

namespace {

// Any span of pixels does: the scale is 0 exactly when the range is refused.
constexpr int some_span = 100;

bool refuse(std::string& why, const char* reason) {
  why = reason;
  return false;
}

// Whether the axis's labelled lines, at least two, all read differently:
// on a range a few doubles wide the steps fall below a double's precision
// and neighbours round to the same value and text.
bool distinct_labels(double lo, double hi, bool log) {
  TickRule rule = given_range_rule(lo, hi, log);
  std::vector<Tick> ticks = axis_ticks(rule, {lo, hi, log, 0});
  for (size_t i = 1; i < ticks.size(); ++i) {
    const PowerLabel& a = ticks[i - 1].label;
    const PowerLabel& b = ticks[i].label;
    if (a.mantissa == b.mantissa && a.exponent == b.exponent) return false;
  }
  return ticks.size() >= 2;
}

}  // namespace

bool amplitude_axis_drawable(double lo, double hi, bool log, std::string& why) {
  if (!std::isfinite(lo) || !std::isfinite(hi))
    return refuse(why, "a bound is not a finite number");
  if (!(lo < hi)) return refuse(why, "the first value is not below the second");
  if (log && !(lo > 0))
    return refuse(why, "a log10 axis needs values above 0 (-linY draws others)");
  if (axis_scale(lo, hi, log, some_span).scale == 0) {
    return refuse(why, log ? "it spans more decades than a number holds"
                           : "its span is larger than a number holds");
  }
  if (!distinct_labels(lo, hi, log)) {
    return refuse(why, "it is too narrow for two labels that read differently");
  }
  why.clear();
  return true;
}
