#include "convert/curve_units.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <string>

#include "compare/deviation.h"
#include "convert/convert_responses.h"
#include "input/evaluate_computed.h"
#include "input/pole_zero.h"

namespace {

// A 4.5 Hz velocity geophone as a displacement response.
const char geophone[] =
    "ZEROS 3\nPOLES 2\n-19.7920337 20.1919132\n-19.7920337 -20.1919132\nCONSTANT 30\n";

enum Text { displacement_text, velocity_text };

// IN= the geophone's poles and zeros, IN2= a text file of the same
// response measured in displacement or velocity.
CurveList nominal_and_measured(Text text) {
  PoleZero pz;
  int line;
  std::string why;
  EXPECT_EQ(0, parse_pole_zero(geophone, pz, line, why));
  CurveList curves(2);
  curves[0].input = 0;
  curves[0].computed = std::make_shared<const ComputedResponse>(pole_zero_response(std::move(pz)));
  curves[1].input = 1;
  for (double f : {0.5, 2.0, 4.5, 11.0, 40.0}) {
    double amplitude, degrees;
    curves[0].computed->at(f, amplitude, degrees);
    if (text == velocity_text) amplitude /= 2 * std::numbers::pi * f;
    curves[1].points.push_back({f, amplitude});
  }
  return curves;
}

// Each curve in its own units: the pole-zero file in displacement, the
// text in IN2_UNITS=, else UNITS=' from, else UNITS=' one word.
TEST(CurveUnits, UnitsPerCurve) {
  constexpr int none = -1, dis = 0, vel = 1, acc = 2;
  const struct {
    const char* name;
    Text text;
    int from, to, in2;
    bool agree;    // the deviation is nil
    int warnings;  // unlike units compared
  } cases[] = {
      {"UNITS=VEL: the text is in velocity", velocity_text, none, vel, none, true, 0},
      {"UNITS=DIS,VEL: the text from displacement", displacement_text, dis, vel, none, true, 0},
      {"IN2_UNITS=VEL UNITS=ACC", velocity_text, none, acc, vel, true, 0},
      {"IN2_UNITS=VEL over UNITS=DIS,VEL", velocity_text, dis, vel, vel, true, 0},
      {"IN2_UNITS=VEL alone: unlike units", velocity_text, none, none, vel, false, 1},
      {"no units known for the text: as given", velocity_text, none, none, none, false, 0},
  };
  for (const auto& c : cases) {
    PlotOptions o{};
    o.x_min = 0.1, o.x_max = 100, o.log_x = true, o.size_x = 100, o.diff = true;
    o.units_from = c.from, o.units_to = c.to;
    for (int& u : o.in_units) u = none;
    o.in_units[1] = c.in2;
    CurveList curves = nominal_and_measured(c.text);
    evaluate_computed(curves, o);
    EXPECT_EQ(c.warnings, static_cast<int>(unit_mismatches(curves, o).size())) << c.name;
    if (o.units_to >= 0) {
      ASSERT_EQ(0, convert_responses(curves, o)) << c.name;
    }
    ASSERT_EQ(0, compute_deviations(curves, o)) << c.name;
    double most = 0;
    for (const ResponsePoint& p : curves[1].deviation) most = std::max(most, std::fabs(p.y));
    EXPECT_EQ(5u, curves[1].deviation.size()) << c.name;
    EXPECT_EQ(c.agree, most < 1e-9) << c.name << ": " << most << " dB";
    EXPECT_TRUE(c.agree || most > 10) << c.name << ": " << most << " dB";
  }
}

}  // namespace
