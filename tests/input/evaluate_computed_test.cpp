#include "input/evaluate_computed.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "convert/convert_responses.h"
#include "input/pole_zero.h"

namespace {

// Options as parse_cmd leaves them for a picture of 800 columns over
// 0.01 ... 1000 Hz, nothing given.
PlotOptions options() {
  PlotOptions o{};
  o.x_min = 0.01, o.x_max = 1000;
  o.log_x = true;
  o.size_x = 800;
  o.units_from = o.units_to = -1;
  for (int& u : o.in_units) u = -1;
  return o;
}

Curve computed_curve(const std::string& file, int input = 0) {
  PoleZero pz;
  int line;
  std::string why;
  EXPECT_EQ(0, parse_pole_zero(file, pz, line, why)) << why;
  Curve c{{}, {}, input_keys[input].color, input, {}, {}, {}};
  c.computed = std::make_shared<const ComputedResponse>(pole_zero_response(std::move(pz)));
  return c;
}

// A 4.5 Hz velocity geophone damped at 0.7, as a displacement response
// (three zeros at the origin), the same wired the other way round, and a
// fourth-order low-pass at 1 Hz.
const char geophone[] =
    "ZEROS 3\nPOLES 2\n-19.7920337 20.1919132\n-19.7920337 -20.1919132\nCONSTANT 30\n";
const char reversed[] =
    "ZEROS 3\nPOLES 2\n-19.7920337 20.1919132\n-19.7920337 -20.1919132\nCONSTANT -30\n";
const char low_pass[] = "POLES 4\n-6.2831853 0\n-6.2831853 0\n-6.2831853 0\n-6.2831853 0\n";

// The phase well below the corners (0.01 Hz) and well above (1000 Hz), as
// a textbook draws it: continuous, its passband (or NORM=) in (-180, 180].
TEST(ComputedPhases, ReadAsTextbooksDrawThem) {
  const struct {
    const char* name;
    const char* file;
    int from, to;
    double norm;
    double low, high;
  } cases[] = {
      {"geophone as velocity (UNITS=DIS,VEL)", geophone, 0, 1, 0, 180, 0},
      {"geophone as velocity (UNITS=VEL)", geophone, -1, 1, 0, 180, 0},
      {"geophone as displacement", geophone, -1, -1, 0, 270, 90},
      {"geophone as acceleration", geophone, -1, 2, 0, 90, -90},
      {"geophone of reversed polarity as velocity", reversed, 0, 1, 0, 0, -180},
      {"low-pass, anchored in its passband", low_pass, -1, -1, 0, 0, -360},
      {"low-pass, anchored at NORM=100", low_pass, -1, -1, 100, 360, 0},
  };
  for (const auto& c : cases) {
    PlotOptions o = options();
    o.phase = true;
    o.units_from = c.from, o.units_to = c.to, o.norm_f = c.norm;
    CurveList curves;
    curves.push_back(computed_curve(c.file));
    evaluate_computed(curves, o);
    ASSERT_EQ(0, convert_responses(curves, o)) << c.name;
    const PointList& p = curves[0].phases;
    ASSERT_EQ(1600u, p.size()) << c.name;
    EXPECT_NEAR(c.low, p.front().y, 3) << c.name;
    EXPECT_NEAR(c.high, p.back().y, 3) << c.name;
    double jump = 0;
    for (size_t i = 1; i < p.size(); ++i) jump = std::max(jump, std::fabs(p[i].y - p[i - 1].y));
    EXPECT_LT(jump, 5) << c.name;
  }
}

// With -fit the range is the measured curve's (widened to labelled
// lines), or with none measured a decade beyond the roots; with -diff
// the computed curve holds its exact value at every measured frequency.
TEST(ComputedCurves, EvaluatedWhereTheyAreUsed) {
  PlotOptions o = options();
  o.fit = o.diff = true;
  CurveList curves;
  curves.push_back(computed_curve(geophone));
  Curve measured{{{3, 1}, {7.5, 1}, {200, 1}}, {}, input_keys[1].color, 1, {}, {}, {}};
  curves.push_back(measured);
  double lo, hi;
  picture_frequency_range(curves, o, lo, hi);
  EXPECT_LE(lo, 3);
  EXPECT_GE(hi, 200);
  EXPECT_GT(lo, 1);  // not the roots' decade below 4.5 Hz
  evaluate_computed(curves, o);
  const PointList& points = curves[0].points;
  EXPECT_EQ(lo, points.front().x);
  EXPECT_EQ(hi, points.back().x);
  for (double f : {3.0, 7.5, 200.0}) {
    auto at = std::find_if(points.begin(), points.end(), [&](auto& p) { return p.x == f; });
    ASSERT_NE(points.end(), at) << f;
    double amplitude, degrees;
    curves[0].computed->at(f, amplitude, degrees);
    EXPECT_EQ(amplitude, at->y) << f;
  }
  CurveList alone;
  alone.push_back(computed_curve(low_pass));
  picture_frequency_range(alone, o, lo, hi);
  EXPECT_NEAR(0.1, lo, 1e-6);
  EXPECT_NEAR(10, hi, 1e-6);
}

}  // namespace
