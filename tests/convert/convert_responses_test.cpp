#include "convert/convert_responses.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "core/last_error.h"

namespace {

constexpr double two_pi = 2 * std::numbers::pi;

Curve curve_of(PointList points, PointList phases) {
  return Curve{std::move(points), std::move(phases), input_keys[0].color, 0, {}, {}, {}};
}

// Conversions against values worked out by hand: a velocity response of
// 1 V/(m/s) and 0 degrees at 1 and 10 Hz, in other units, normalised, in dB.
TEST(ConvertResponses, AgainstHandCalculation) {
  const struct {
    const char* name;
    int from, to;
    double norm;
    double a1, a10, p1;  // amplitudes at 1 and 10 Hz, phase at 1 Hz
  } cases[] = {
      {"velocity as acceleration", 1, 2, 0, 1 / two_pi, 1 / (10 * two_pi), -90},
      {"velocity as displacement", 1, 0, 0, two_pi, 10 * two_pi, 90},
      {"displacement as acceleration", 0, 2, 0, 1 / (two_pi * two_pi), 1 / (100 * two_pi * two_pi),
       -180},
      {"same units", 2, 2, 0, 1, 1, 0},
      {"acceleration, normalised at 10 Hz", 1, 2, 10, 10, 1, -90},
  };
  for (const auto& c : cases) {
    CurveList curves;
    curves.push_back(curve_of({{1, 1}, {10, 1}}, {{1, 0}, {10, 0}}));
    PlotOptions o{};
    o.units_from = c.from;
    o.units_to = c.to;
    o.norm_f = c.norm;
    ASSERT_EQ(0, convert_responses(curves, o)) << c.name;
    EXPECT_NEAR(c.a1, curves[0].points[0].y, 1e-12 * c.a1) << c.name;
    EXPECT_NEAR(c.a10, curves[0].points[1].y, 1e-12 * c.a10) << c.name;
    EXPECT_DOUBLE_EQ(c.p1, curves[0].phases[0].y) << c.name;
  }
}

// NORM= reads the amplitude between points in log-log: 1/f through 1 and
// 100 Hz is 0.1 at 10 Hz.
TEST(ConvertResponses, NormalisedBetweenPointsAndInDecibels) {
  CurveList curves;
  curves.push_back(curve_of({{1, 1}, {100, 0.01}, {50, 0}}, {}));
  PlotOptions o{};
  o.units_from = -1;
  o.norm_f = 10;
  ASSERT_EQ(0, convert_responses(curves, o));
  EXPECT_NEAR(10, curves[0].points[0].y, 1e-12);
  ASSERT_EQ(0, to_decibels(curves, o));
  ASSERT_EQ(2u, curves[0].points.size());  // the amplitude 0 has no decibels
  EXPECT_NEAR(20, curves[0].points[0].y, 1e-12);
  EXPECT_NEAR(-20, curves[0].points[1].y, 1e-12);
  o.norm_f = 1000;  // no data around it
  EXPECT_EQ(-1, convert_responses(curves, o));
  EXPECT_EQ("convert(): No data around the NORM= frequency: IN=", last_error);
}

}  // namespace
