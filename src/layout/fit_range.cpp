#include "layout/fit_range.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace {

constexpr double padding = 0.03;  // of the span, at each end

// Widens [lo, hi] outward to lines of `rule`; a bound that is already a
// line stays, except when the range is a single value.
void widen(const TickRule& rule, double& lo, double& hi) {
  bool single = lo == hi;
  double below = tick_below(rule, lo, single);
  double above = tick_above(rule, hi, single);
  if (std::isfinite(below) && std::isfinite(above) && below < above) {
    lo = below;
    hi = above;
  }
}

// A range whose ends lie a few units in the last place apart is a single
// value, its ends differing by rounding alone (a constant curve's crossings
// of the frequency range, interpolated through logarithms): its lines would
// be steps of 1e-16, labelled 3.2999999999999994. Both ends become that
// value to fifteen digits, where the rounding does not reach, so that the
// lines either side of it stand clear of the curve.
void take_one_value(double& lo, double& hi) {
  constexpr double rounding = 8 * std::numeric_limits<double>::epsilon();
  constexpr int digits = 15;
  bool apart = lo == hi || !std::isfinite(lo) || !std::isfinite(hi) ||
               !(std::fabs(hi - lo) <= rounding * std::max(std::fabs(lo), std::fabs(hi)));
  if (apart) {
    return;
  }
  char text[32];
  char* end = std::to_chars(text, text + sizeof text, hi, std::chars_format::general, digits).ptr;
  std::from_chars(text, end, hi);
  lo = hi;
}

TickRule rule_for(double lo, double hi, bool log) {
  return log ? log_tick_rule(lo, hi) : linear_tick_rule(lo, hi);
}

}  // namespace

bool data_frequency_range(const CurveList& curves, double& lo, double& hi) {
  bool found = false;
  for (const Curve& curve : curves) {
    for (const ResponsePoint& p : curve.points) {
      if (!(p.x > 0)) continue;
      if (!found || p.x < lo) lo = p.x;
      if (!found || p.x > hi) hi = p.x;
      found = true;
    }
  }
  return found;
}

TickRule fit_frequency_range(double& lo, double& hi, bool log) {
  if (log && !(lo > 0)) return {};
  take_one_value(lo, hi);
  TickRule rule = rule_for(lo, hi, log);
  if (tick_count(rule, lo, hi) < 2) widen(rule, lo, hi);
  return rule;
}

// A log10 range is only padded: widening it to the next decades would leave
// up to two thirds of the area empty.
TickRule fit_amplitude_range(double& lo, double& hi, bool log) {
  take_one_value(lo, hi);
  if (log) {
    if (!(lo > 0)) return {};
    double pad = padding * std::log10(hi / lo);
    double low = lo / std::pow(10.0, pad);
    double high = hi * std::pow(10.0, pad);
    if (!(low > 0) || !std::isfinite(high)) return log_tick_rule(lo, hi);
    lo = low;
    hi = high;
    TickRule rule = log_tick_rule(lo, hi);
    if (lo == hi) widen(rule, lo, hi);
    return rule;
  }
  double pad = padding * (hi - lo);
  if (!std::isfinite(pad) || !std::isfinite(lo - pad) || !std::isfinite(hi + pad)) {
    return linear_tick_rule(lo, hi);
  }
  // The padding does not carry amplitudes of one sign across zero.
  double low = lo >= 0 && lo - pad < 0 ? 0 : lo - pad;
  double high = hi <= 0 && hi + pad > 0 ? 0 : hi + pad;
  if (low == high) low = lo - pad, high = hi + pad;
  lo = low;
  hi = high;
  TickRule rule = linear_tick_rule(lo, hi);
  widen(rule, lo, hi);
  return rule;
}

TickRule given_range_rule(double lo, double hi, bool log) {
  return rule_for(lo, hi, log);
}
