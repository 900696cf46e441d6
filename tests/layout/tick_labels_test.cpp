#include "layout/tick_labels.h"

#include <gtest/gtest.h>

#include <string>

#include "layout/choose_labels.h"
#include "layout/fit_range.h"
#include "layout/format_label.h"

namespace {

std::string texts(const std::vector<Tick>& ticks) {
  std::string all;
  for (const Tick& t : ticks) all += t.label.mantissa + "^" + t.label.exponent + " ";
  return all;
}

TEST(TickLabels, FittedLogAxesWriteOneNumberForm) {
  const struct {
    double lo, hi;
    std::string some;  // one label, mantissa^exponent
  } cases[] = {
      {2e8, 9e8, "5*10^8 "},    {1e8, 9e8, "10^8 "},      {1.1e8, 1.3e8, "1.2*10^8 "},
      {2e-5, 9e-4, "2*10^-5 "}, {2e-5, 9e-4, "2*10^-4 "}, {3e5, 3e6, "5*10^5 "},
      {0.02, 0.9, "0.05^ "},    {20, 900, "500^ "},
  };
  for (const auto& c : cases) {
    double lo = c.lo, hi = c.hi;
    TickRule rule = fit_amplitude_range(lo, hi, true);
    std::string all = texts(axis_ticks(rule, {lo, hi, true, 0}));
    EXPECT_EQ(std::string::npos, all.find("e+")) << all;
    EXPECT_EQ(std::string::npos, all.find("e-")) << all;
    EXPECT_NE(std::string::npos, (" " + all).find(" " + c.some)) << all;
  }
}

// The report style writes every log10 label as a power of ten, and over
// fewer than three decades labels 2x and 5x too.
TEST(TickLabels, PowerTicksAreAllPowersOfTen) {
  const struct {
    double lo, hi;
    bool log;
    std::string some;  // one label, mantissa^exponent
  } cases[] = {
      {0.3, 30, true, "2*10^0 "},
      {0.3, 30, true, "10^1 "},
      {0.01, 1000, true, "10^0 "},
      {2e7, 9e8, true, "5*10^7 "},
      {1e-150, 1e150, true, "10^0 "},
      {20, 30, true, "2.5*10^1 "},
      {1.1e8, 1.3e8, true, "1.2*10^8 "},
      // Subnormal decades keep the digits they hold, not 9.99989*10^-320.
      {1e-320, 1e-310, true, "10^-320 "},
      {1e-320, 1e-310, true, "10^-319 "},
      // Linear: what printf writes as 1.5e+006 is a power of ten too.
      {5e5, 5.5e6, false, "1.5*10^6 "},
      {5e5, 5.5e6, false, "10^6 "},
      {-3e-6, 3e-6, false, "-2*10^-6 "},
      {-3e-6, 3e-6, false, "0^ "},
      {-1e-6, 1e-6, false, "-10^-6 "},  // as 10^-6 at the other end
      {0, 45, false, "20^ "},
  };
  for (const auto& c : cases) {
    AxisScale axis{c.lo, c.hi, c.log, 0};
    std::string all = texts(power_ticks(given_range_rule(c.lo, c.hi, c.log), axis));
    EXPECT_NE(std::string::npos, (" " + all).find(" " + c.some)) << all;
    for (const Tick& t : power_ticks(given_range_rule(c.lo, c.hi, c.log), axis)) {
      if (c.log) {
        EXPECT_FALSE(t.label.exponent.empty()) << all;
      }
      EXPECT_EQ(std::string::npos, t.label.mantissa.find('e')) << all;
    }
  }
}

// A linear rule whose lines would stand closer than 8 layout units (a
// deviation axis stepped by its 1 dB tolerance over +-50 dB) is drawn by a
// wider whole multiple of its step: round where it can be, keeping the
// axis's ends as lines where they are, or the one farther from 0.
TEST(TickLabels, PowerRuleThinsLinesTooCloseToRead) {
  const struct {
    double step, lo, hi, scale;  // scale: layout units per unit
    double drawn;
  } cases[] = {
      {1, -50, 50, 1, 10},            // both ends kept, round
      {2.5, -22.5, 2.5, 0.88, 22.5},  // 2.5 divides no wider step: the farther end kept
      {10, -50, 10, 0.4, 50},         // 10 divides no wider step: -50 kept
      {1, -7.3, 13.1, 1, 10},         // no end is a line: the least round step
      {10, -100, 100, 2, 10},         // 20 units apart: as it is
      {0.5, -3, 3, 20, 0.5},          // 10 units apart: as it is
      {0.5, -3, 3, 10, 1},            // 5 units apart: both ends kept
  };
  for (const auto& c : cases) {
    TickRule rule;
    rule.log = false, rule.step = c.step, rule.anchor = 1;
    AxisScale axis{c.lo, c.hi, false, c.scale};
    EXPECT_DOUBLE_EQ(c.drawn, power_rule(rule, axis).step) << c.step << " over " << c.lo;
  }
  TickRule log_rule = given_range_rule(0.001, 20, true);
  EXPECT_EQ(log_rule.step, power_rule(log_rule, AxisScale{0.001, 20, true, 0.01}).step);
}

// A crowded linear axis is labelled evenly through 0, at every line or
// at the multiples of the least wider nice step whose labels stand clear
// (4 units apart) of each other.
TEST(TickLabels, CrowdedLinearAxesAreLabelledEvenly) {
  struct Label {
    double value, from, to;
  };
  const struct {
    double step, lo, hi, anchor;
    double scale, height;  // units per unit of value; a label's height
    std::string kept;      // in the order returned
  } cases[] = {
      {10, -50, 40, 1, 1, 12, "-40 -20 0 20 40 "},  // by rank: 0 -50 -30 20 40
      {10, -50, 40, 1, 1, 5, "-50 -40 -30 -20 -10 0 10 20 30 40 "},
      {2.5, -10, 10, -1, 1, 2, "-10 0 10 "},           // 7.5 would do, but is not round
      {20, 0, 200, 2, 1, 30, "0 40 80 120 160 200 "},  // every 2nd line
      {22.5, -45, 45, -1, 1, 30, "-45 0 45 "},         // a step that is not nice
      {10, 5, 95, -1, 1, 200, "10 "},                  // too few: by rank
      {0.1, -0.3, 0.3, -1, 100, 8, "-0.2 0 0.2 "},
  };
  for (const auto& c : cases) {
    TickRule rule;
    rule.log = false, rule.step = c.step, rule.anchor = c.anchor;
    std::vector<Tick> ticks = axis_ticks(rule, {c.lo, c.hi, false, c.scale});
    auto place = [&](Tick& t) -> std::optional<Label> {
      double at = t.value * c.scale;
      return Label{t.value, at - c.height / 2, at + c.height / 2};
    };
    std::string kept;
    for (const Label& l : choose_even_labels<Label>(ticks, c.step, place)) {
      kept += format_g(l.value, 6) + " ";
    }
    EXPECT_EQ(c.kept, kept) << c.step << " over " << c.lo;
  }
}

}  // namespace
