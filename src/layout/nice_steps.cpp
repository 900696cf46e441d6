#include "layout/nice_steps.h"

#include <algorithm>
#include <initializer_list>
#include <iterator>
#include <limits>

namespace {

constexpr double nice_mantissas[] = {1, 2, 2.5, 5};  // smallest first
constexpr int most_steps = 10;

// The whole steps that cover [lo, hi] when it is widened outward to them.
double widened_steps(double lo, double hi, double step) {
  return std::ceil(hi / step) - std::floor(lo / step);
}

// The line of `rule` nearest to v on one side, looked for among the
// multiples of the decades around v.
double log_neighbour(const TickRule& rule, double v, bool below, bool strict) {
  double best = below ? 0 : HUGE_VAL;
  if (!(v > 0) || !std::isfinite(v)) return best;  // no decade to look around
  int e0 = static_cast<int>(std::floor(std::log10(v)));
  for (int e = e0 - 1; e <= e0 + 1; ++e) {
    double decade = std::pow(10.0, e);
    for (int m = 1; m <= last_multiple; ++m) {
      if (!log_multiple_on(rule.level, m)) continue;
      double c = m * decade;
      bool on_side = below
                         ? (strict ? c < v * (1 - tick_tolerance) : c <= v * (1 + tick_tolerance))
                         : (strict ? c > v * (1 + tick_tolerance) : c >= v * (1 - tick_tolerance));
      if (on_side && (below ? c > best : c < best)) best = c;
    }
  }
  return best;
}

constexpr long most_step_multiple = 1000;

bool on_step(double v, double step) {
  double times = v / step;
  return std::fabs(times - std::round(times)) < 1e-9 * std::max(1.0, std::fabs(times));
}

// The least whole multiple of `step` from `least` on whose lines lie each
// of `ends` that is not NaN, a nice one before a smaller one that is not;
// 0 where there is none up to most_step_multiple steps.
double wider_step(double step, double least, std::initializer_list<double> ends) {
  if (!(least / step <= most_step_multiple)) return 0;
  double first_fit = 0;
  for (long k = std::max(2L, static_cast<long>(least / step)); k <= most_step_multiple; ++k) {
    double wider = step * static_cast<double>(k);
    bool holds = std::all_of(ends.begin(), ends.end(),
                             [&](double end) { return std::isnan(end) || on_step(end, wider); });
    if (wider < least || !holds) continue;
    if (nice_step(wider)) return wider;
    if (first_fit == 0) first_fit = wider;
  }
  return first_fit;
}

}  // namespace

bool nice_step(double step) {
  double times = step / std::pow(10.0, std::floor(std::log10(step)));
  auto near = [&](double m) { return std::fabs(times - m) < 1e-9 * m; };
  // 10 where the logarithm's rounding put the decade one too low.
  return std::any_of(std::begin(nice_mantissas), std::end(nice_mantissas), near) || near(10);
}

int tick_count(const TickRule& rule, double lo, double hi) {
  int n = 0;
  for_each_tick(rule, lo, hi, [&](double, int) { ++n; });
  return n;
}

TickRule log_tick_rule(double lo, double hi) {
  constexpr double decade = 10;
  constexpr double short_span = decade * decade;  // up to two decades: 1-2-5 at least
  TickRule rule;
  for (rule.level = hi < lo * short_span ? 1 : 0; rule.level < every_multiple; ++rule.level) {
    if (tick_count(rule, lo, hi) >= 2) break;
  }
  if (!(hi < lo * decade) || tick_count(rule, lo, hi) >= least_narrow_labels) return rule;
  rule.level = every_multiple;
  if (tick_count(rule, lo, hi) < least_narrow_labels) rule.step = linear_tick_rule(lo, hi).step;
  return rule;
}

TickRule linear_tick_rule(double lo, double hi) {
  double span = hi - lo;
  if (!(span > 0)) span = lo != 0 ? std::fabs(lo) : 1;
  // A span beyond the double range (-1e308 ... 1e308) is measured in halves.
  bool finite = std::isfinite(span);
  double end = finite ? lo + span : hi;
  double decades = finite ? std::log10(span) : std::log10(hi / 2 - lo / 2) + std::log10(2.0);
  TickRule rule{false, 0, 0};
  if (!std::isfinite(decades)) return rule;  // an infinite bound: no lines at all
  int top = static_cast<int>(std::floor(decades));
  for (int e = top - 1; e <= top + 1; ++e) {
    for (double m : nice_mantissas) {
      rule.step = m * std::pow(10.0, e);
      if (widened_steps(lo, end, rule.step) <= most_steps) return rule;
    }
  }
  return rule;
}

TickRule anchored_rule(TickRule rule, double tolerance) {
  rule.anchor = tolerance > 0 ? tolerance : 0;
  if (!(tolerance > 0) || !(rule.step > 0)) return rule;
  // Three decades finer at most: a tolerance no nice step divides keeps the
  // axis's own steps rather than a grid too dense to read.
  constexpr int finer_decades = 3;
  int top = static_cast<int>(std::floor(std::log10(rule.step)));
  for (int e = top; e >= top - finer_decades; --e) {
    for (int i = std::size(nice_mantissas) - 1; i >= 0; --i) {
      double step = nice_mantissas[i] * std::pow(10.0, e);
      if (step > rule.step) continue;
      double steps = tolerance / step;
      if (std::fabs(steps - std::round(steps)) < steps * tick_tolerance) {
        rule.step = step;
        return rule;
      }
    }
  }
  return rule;
}

double tick_below(const TickRule& rule, double v, bool strict) {
  if (!walks_steps(rule)) return log_neighbour(rule, v, true, strict);
  double i = std::floor(v / rule.step);
  if (strict && i * rule.step >= v) --i;
  return i * rule.step;
}

double tick_above(const TickRule& rule, double v, bool strict) {
  if (!walks_steps(rule)) return log_neighbour(rule, v, false, strict);
  double i = std::ceil(v / rule.step);
  if (strict && i * rule.step <= v) ++i;
  return i * rule.step;
}

double readable_step(double step, double lo, double hi, double least) {
  if (!(step > 0) || !(step < least)) return step;
  constexpr double none = std::numeric_limits<double>::quiet_NaN();
  double low = on_step(lo, step) ? lo : none;
  double high = on_step(hi, step) ? hi : none;
  double farther = std::fabs(lo) > std::fabs(hi) ? low : high;
  for (double wider : {wider_step(step, least, {low, high}), wider_step(step, least, {farther}),
                       wider_step(step, least, {})}) {
    if (wider > 0) return wider;
  }
  double times = std::ceil(least / step);
  return std::isfinite(step * times) ? step * times : step;
}
