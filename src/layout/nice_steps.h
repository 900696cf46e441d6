#pragma once

#include <cmath>

// The labelled lines of a fitted axis. A log10 axis labels its decades and,
// when too few of them fall inside, also 2x and 5x each power of ten, or
// every multiple 1x ... 9x, and on a range too narrow even for those, the
// multiples of a nice step as a linear axis does; a linear axis labels the
// multiples of a "nice" step: 1, 2, 2.5 or 5 times a power of ten.
struct TickRule {
  bool log = true;
  int level = 0;    // log10: 0 decades, 1 also 2x and 5x, 2 every multiple
  double step = 0;  // linear, and log10 ranges within a decade: the distance between lines
  // A linear axis around a reference (the deviation panels) labels 0 and
  // +-anchor before its other lines, which rank 1 then; without one, < 0,
  // every line ranks 0. (The report style labels a crowded linear axis
  // evenly instead: choose_even_labels.)
  double anchor = -1;
};

// Whether the rule walks nice steps (a linear axis, or a narrow log10 one).
inline bool walks_steps(const TickRule& rule) {
  return !rule.log || rule.step > 0;
}

// A log10 range within one decade holding fewer labelled multiples than
// this is labelled at nice steps instead.
constexpr int least_narrow_labels = 3;

// The finest log10 level.
constexpr int every_multiple = 2;

// The multiples of a decade a log10 axis may label: 1x ... 9x, the next
// being the next decade.
constexpr int last_multiple = 9;

// The coarsest log10 level with at least two lines in [lo, hi], else the
// finest; over less than two decades 2x and 5x at least, and within a
// decade at least least_narrow_labels lines, if need be at nice steps.
TickRule log_tick_rule(double lo, double hi);

// The smallest nice step for which [lo, hi], widened outward to whole
// steps, holds at most ten of them (at least four then). An empty range is
// sized by its value instead (1 for 0).
TickRule linear_tick_rule(double lo, double hi);

// Lines nearest to v outward: at or below v (strictly below with `strict`),
// and at or above it.
double tick_below(const TickRule& rule, double v, bool strict);
double tick_above(const TickRule& rule, double v, bool strict);

// How many lines of `rule` lie in [lo, hi].
int tick_count(const TickRule& rule, double lo, double hi);

// The multipliers 1x ... 9x of a log10 level, each with its rank: 0 for the
// decade itself, 1 for 2x and 5x, 2 for the others.
inline bool log_multiple_on(int level, int m) {
  return m == 1 || level == every_multiple || (level == 1 && (m == 2 || m == 5));
}
inline int log_multiple_rank(int m) {
  return m == 1 ? 0 : (m == 2 || m == 5) ? 1 : 2;
}

// The linear rule of a deviation axis: its nice steps refined where need
// be until +-tolerance falls on lines (a tolerance of 0: none), with 0 and
// +-tolerance labelled first where labels are chosen by rank.
TickRule anchored_rule(TickRule rule, double tolerance);

// The step itself where its lines stand `least` apart or more, else a
// whole multiple of it that does, so that every line drawn is one of the
// rule's: a nice one where there is one, keeping as lines the range's ends
// [lo, hi] that are lines (both, or else the one farther from 0), for a
// reader reads the range by their labels.
double readable_step(double step, double lo, double hi, double least);

// Whether a step is 1, 2, 2.5 or 5 times a power of ten.
bool nice_step(double step);

// More lines than any picture holds: a bound for ranges far from zero.
constexpr int most_linear_lines = 1000;

// Values a hair outside [lo, hi] still count as inside, so that a bound
// that is itself a line (0.01 from a file against 10^-2) keeps it.
constexpr double tick_tolerance = 1e-9;

// The rank of line v on an axis with an anchor: 0 for 0 and +-anchor.
inline int anchored_rank(const TickRule& rule, double v) {
  double near = rule.step * tick_tolerance;
  bool anchored = std::fabs(v) < near || std::fabs(std::fabs(v) - rule.anchor) < near;
  return anchored ? 0 : 1;
}

// Calls visit(value, rank) for every line of `rule` in [lo, hi] in
// increasing order; rank as above (0 on a linear axis).
template <class Visit>
void for_each_tick(const TickRule& rule, double lo, double hi, Visit visit) {
  if (!(lo <= hi) || !std::isfinite(lo) || !std::isfinite(hi)) return;
  if (walks_steps(rule)) {
    if (!(rule.step > 0)) return;
    // On a narrow log10 axis the steps are plain numbers, never decades.
    int rank = rule.log ? 1 : 0;
    double slack = (hi - lo) * tick_tolerance;
    double first = std::ceil((lo - slack) / rule.step);
    double last = std::floor((hi + slack) / rule.step);
    // + 0.0 turns a line at -0 into 0, which prints without its sign. The
    // count is bounded: far from 0 a step may be below a double's precision.
    for (int k = 0; k < most_linear_lines && first + k <= last; ++k) {
      double v = (first + k) * rule.step + 0.0;
      visit(v, rule.anchor < 0 ? rank : anchored_rank(rule, v));
    }
    return;
  }
  if (!(lo > 0)) return;
  double low = lo * (1 - tick_tolerance);
  double high = hi * (1 + tick_tolerance);
  int first = static_cast<int>(std::floor(std::log10(lo))) - 1;
  int last = static_cast<int>(std::floor(std::log10(hi))) + 1;
  for (int e = first; e <= last; ++e) {
    double decade = std::pow(10.0, e);
    for (int m = 1; m <= last_multiple; ++m) {
      if (!log_multiple_on(rule.level, m)) continue;
      double v = m * decade;
      if (low <= v && v <= high) visit(v, log_multiple_rank(m));
    }
  }
}
