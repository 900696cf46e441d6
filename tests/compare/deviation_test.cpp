#include "compare/deviation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "compare/verdict.h"
#include "core/last_error.h"

namespace {

// A response of `n` points from 1 to 1000 Hz: amplitude a(f), phase p(f).
template <class A, class P>
Curve response(int input, int n, A a, P p) {
  Curve c{{}, {}, input_keys[input].color, input, {}, {}, {}};
  for (int i = 0; i < n; ++i) {
    double f = std::pow(10.0, 3.0 * i / (n - 1));
    c.points.push_back({f, a(f)});
    c.phases.push_back({f, p(f)});
  }
  return c;
}

PlotOptions options() {
  PlotOptions o{};
  o.phase = o.diff = o.tol_given = o.tol_deg_given = true;
  o.tol_db = 1;
  o.tol_deg = 5;
  return o;
}

// A response against itself scaled and turned gives exactly that deviation,
// wherever the two are sampled: the reference is interpolated in log
// frequency and log amplitude, so a power law in between is exact.
TEST(Deviation, KnownScaleAndTurn) {
  auto nominal = [](double f) { return 3 * f * f; };
  auto phase = [](double f) { return 170 - 20 * std::log10(f); };
  const struct {
    double scale, turn;
    int points;  // of the further curve, between the reference's
    double db, deg;
    bool within;
  } cases[] = {
      {1, 0, 31, 0, 0, true},
      {2, 0, 31, 20 * std::log10(2.0), 0, false},
      {0.9, 3, 17, 20 * std::log10(0.9), 3, true},
      {1, 30, 17, 0, 30, false},
      {1, -350, 23, 0, 10, false},  // a whole turn less is no deviation: 10 degrees
  };
  for (const auto& c : cases) {
    CurveList curves;
    curves.push_back(response(0, 11, nominal, phase));
    curves.push_back(response(
        1, c.points, [&](double f) { return c.scale * nominal(f); },
        [&](double f) { return std::remainder(phase(f) + c.turn, 360.0); }));
    PlotOptions o = options();
    ASSERT_EQ(0, compute_deviations(curves, o));
    for (const ResponsePoint& d : curves[1].deviation) EXPECT_NEAR(c.db, d.y, 1e-9) << d.x;
    for (const ResponsePoint& d : curves[1].phase_deviation) EXPECT_NEAR(c.deg, d.y, 1e-9);
    std::vector<Verdict> v = judge(curves, {1, 1000, true, 1}, o);
    ASSERT_EQ(1u, v.size());
    EXPECT_NEAR(c.db, v[0].db, 1e-9);
    EXPECT_EQ(c.within, v[0].within) << c.scale << " " << c.turn;
  }
}

TEST(Deviation, VerdictLines) {
  Verdict v{1, true, -0.8312, 12.34, true, true, 4.1, 0.05, false};
  EXPECT_EQ("IN2: max deviation 0.831 dB at 12.3 Hz, 4.1 deg at 0.05 Hz: outside tolerance",
            verdict_line(v));
  v = {3, true, 0.5, 100, false, false, 0, 0, true};
  EXPECT_EQ("IN4: max deviation 0.5 dB at 100 Hz: within tolerance", verdict_line(v));
  v.phase_wanted = true;
  v.within = false;
  EXPECT_EQ("IN4: max deviation 0.5 dB at 100 Hz, no phase deviation: outside tolerance",
            verdict_line(v));
  v = {2};
  v.within = false;
  EXPECT_EQ("IN3: no deviation in the frequency range: outside tolerance", verdict_line(v));
  // Many ranges not judged: the first few, then how many more.
  v = {1, true, 0.2, 1};
  v.not_judged = 7;
  v.gaps = {{1, 2, Unjudged::amplitude_not_positive}, {3, 3, Unjudged::no_phase},
            {4, 4, Unjudged::no_reference_phase},     {5, 5, Unjudged::amplitude_not_finite},
            {6, 6, Unjudged::beyond_reference},       {7, 7, Unjudged::reference_dead}};
  EXPECT_EQ(
      "IN2: max deviation 0.2 dB at 1 Hz, 7 points not judged (1\u20132 Hz: amplitude <= 0; 3 Hz: "
      "no phase; 4 Hz: no IN= phase; 5 Hz: amplitude not finite; 2 more ranges): not judged",
      verdict_line(v));
}

TEST(Deviation, CurvesThatDoNotOverlapAreNamed) {
  CurveList curves;
  curves.push_back(response(
      0, 5, [](double) { return 1.0; }, [](double) { return 0.0; }));
  Curve far = response(
      2, 5, [](double) { return 1.0; }, [](double) { return 0.0; });
  for (ResponsePoint& p : far.points) p.x *= 1e6;
  curves.push_back(std::move(far));
  PlotOptions o = options();
  snprintf(o.more_in_paths[1], sizeof o.more_in_paths[1], "far.txt");
  EXPECT_EQ(-1, compute_deviations(curves, o));
  EXPECT_EQ("draw_diff(): No frequency in common with the IN= response: IN3=far.txt", last_error);
}

}  // namespace
