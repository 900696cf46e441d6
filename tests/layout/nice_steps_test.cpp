#include "layout/nice_steps.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "layout/fit_range.h"
#include "layout/phase_panel.h"

namespace {

// The lines of `rule` over [lo, hi] that rank first among the labels.
std::vector<double> first_ranked(const TickRule& rule, double lo, double hi) {
  std::vector<double> values;
  for_each_tick(rule, lo, hi, [&](double v, int rank) {
    if (rank == 0) values.push_back(v);
  });
  return values;
}

TEST(NiceSteps, NarrowPhaseRangesGetFinerSteps) {
  const struct {
    double lo, hi;
    double step;
  } cases[] = {
      {100, 130, 5}, {10, 50, 5}, {-20, 20, 5}, {170, 175, 0.5}, {-180, 180, 45}, {0, 90, 45},
  };
  for (const auto& c : cases) {
    TickRule rule = phase_tick_rule(c.lo, c.hi);
    EXPECT_EQ(c.step, rule.step) << c.lo << ";" << c.hi;
    EXPECT_GE(tick_count(rule, c.lo, c.hi), 2) << c.lo << ";" << c.hi;
  }
}

TEST(NiceSteps, DeviationLinesIncludeZeroAndTheTolerance) {
  const struct {
    double tolerance;
    double least;  // the deviation axis's least half-span
  } cases[] = {{1, 1}, {0.3, 1}, {0.35, 1}, {3, 1}, {2.5, 5}, {7, 5}, {0.1, 1}};
  for (const auto& c : cases) {
    double lo = -std::max(c.least, c.tolerance), hi = -lo;
    TickRule rule = anchored_rule(fit_amplitude_range(lo, hi, false), c.tolerance);
    std::vector<double> expected = {-c.tolerance, 0, c.tolerance};
    std::vector<double> found = first_ranked(rule, lo, hi);
    ASSERT_EQ(3u, found.size()) << c.tolerance;
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(expected[i], found[i], 1e-12) << c.tolerance;
  }
}

}  // namespace
