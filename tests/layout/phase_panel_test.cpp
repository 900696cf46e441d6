// The phase panel: where the two areas lie, the phase range, unwrapping.

#include "layout/phase_panel.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/unwrap.h"

namespace {

TEST(PhasePanel, AmplitudeAboveTakesThreeFifths) {
  const struct {
    int size_x, size_y;
    int amplitude_bottom, phase_top, bottom, right;
  } cases[] = {
      {800, 600, 350, 366, 560, 780},
      {640, 480, 278, 294, 440, 620},
      {1024, 768, 451, 467, 728, 1004},
  };
  for (const auto& c : cases) {
    PanelLayout p = split_panels(c.size_x, c.size_y);
    EXPECT_EQ(60, p.amplitude.top);
    EXPECT_EQ(c.amplitude_bottom, p.amplitude.bottom) << c.size_y;
    EXPECT_EQ(c.phase_top, p.phase.top) << c.size_y;
    EXPECT_EQ(c.bottom, p.phase.bottom) << c.size_y;
    EXPECT_EQ(c.right, p.amplitude.right);
    EXPECT_EQ(c.right, p.phase.right);
    EXPECT_EQ(60, p.phase.left);
    EXPECT_EQ(p.amplitude.bottom - p.amplitude.top, p.amplitude.height);
  }
}

TEST(PhasePanel, RangeWidenedToMultiplesOf45) {
  const struct {
    double lo, hi;
    bool any;
    double fitted_lo, fitted_hi, step;
  } cases[] = {
      {-170, 10, true, -180, 45, 45},   {0.3, 34, true, 0, 45, 45},
      {-45, -45, true, -90, 0, 45},     {0, 0, false, -180, 180, 45},
      {-290, 180, true, -315, 180, 90}, {-1000, 10, true, -1035, 45, 180},
  };
  for (const auto& c : cases) {
    double lo = c.lo, hi = c.hi;
    TickRule rule = fit_phase_range(lo, hi, c.any);
    EXPECT_EQ(c.fitted_lo, lo) << c.lo;
    EXPECT_EQ(c.fitted_hi, hi) << c.hi;
    EXPECT_EQ(c.step, rule.step) << c.lo;
    EXPECT_FALSE(rule.log);
  }
}

TEST(PhasePanel, UnwrapRemovesJumpsOverHalfATurn) {
  const struct {
    std::vector<double> in, out;
  } cases[] = {
      {{-170, 175, 160}, {-170, -185, -200}},
      {{170, -175, -160}, {170, 185, 200}},
      {{0, 180, 0}, {0, 180, 0}},       // exactly half a turn stays
      {{10, 550, 10}, {10, -170, 10}},  // 540 off: whole turns down to half a turn
      {{-90, 100, -80, 110}, {-90, -260, -440, -610}},
      {{}, {}},
  };
  for (const auto& c : cases) {
    PointList phases;
    for (size_t i = 0; i < c.in.size(); ++i) phases.push_back({double(i + 1), c.in[i]});
    unwrap_phase(phases);
    std::vector<double> got;
    for (const ResponsePoint& p : phases) got.push_back(p.y);
    EXPECT_EQ(c.out, got) << testing::PrintToString(c.in);
  }
}

}  // namespace
