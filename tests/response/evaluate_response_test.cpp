#include "response/evaluate_response.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr double pi = std::numbers::pi;

// Units are moved in from whole strings: GCC 12 warns falsely (-Wrestrict)
// on assigning short literals to them.
Stage pole_zero(StageKind kind, double pole, double a0, double a0_frequency) {
  Stage s;
  s.number = 1, s.kind = kind, s.input_units = std::string("M/S"),
  s.output_units = std::string("V");
  s.poles = {pole}, s.a0 = a0, s.a0_frequency = a0_frequency;
  return s;
}

Stage fir(int number, std::vector<double> taps, FirSymmetry symmetry) {
  Stage s;
  s.number = number, s.kind = StageKind::fir;
  s.input_units = std::string("V"), s.output_units = std::string("COUNTS");
  s.numerators = std::move(taps), s.symmetry = symmetry;
  s.has_decimation = true, s.input_sample_rate = 100;
  return s;
}

ChannelResponse chain(std::vector<Stage> stages) {
  ChannelResponse r;
  r.stages = std::move(stages);
  return r;
}

// Conventions worked out by hand at one frequency each; where a case must
// be refused, the reason instead.
TEST(EvaluateResponse, FollowsTheConventions) {
  Stage gained = pole_zero(StageKind::laplace_rad, -1, 5, 0);
  gained.has_gain = true, gained.gain = 10, gained.gain_frequency = 1 / (2 * pi);
  Stage polynomial;
  polynomial.number = 1, polynomial.kind = StageKind::polynomial, polynomial.polynomial = {7, 3};
  Stage quadratic = polynomial;
  quadratic.polynomial = {7, 3, 1};
  ChannelResponse stated = chain({gained});
  stated.has_sensitivity = true, stated.sensitivity = 4, stated.sensitivity_frequency = 1;
  ChannelResponse broken = chain({pole_zero(StageKind::laplace_rad, -1, 1, 0), fir(2, {1}, {})});
  broken.stages[1].input_units = std::string("PA");
  Stage rateless = fir(1, {1}, FirSymmetry::none);
  rateless.input_sample_rate = 0;
  Stage list;
  list.number = 1, list.kind = StageKind::list, list.list = {{1, 2, 0}, {3, 4, 90}};
  const struct {
    const char* name;
    ChannelResponse r;
    EvaluateOptions o;
    double f, amplitude, phase;
    const char* why;
  } cases[] = {
      {"one pole in rad/s at its corner",
       chain({pole_zero(StageKind::laplace_rad, -1, 1, 0)}),
       {},
       1 / (2 * pi),
       1 / std::sqrt(2.0),
       -45,
       ""},
      {"one pole in Hz: s = i f",
       chain({pole_zero(StageKind::laplace_hz, -1, 1, 0)}),
       {},
       1,
       1 / std::sqrt(2.0),
       -45,
       ""},
      {"A0 set anew where the gain is quoted elsewhere",
       chain({gained}),
       {},
       1 / (2 * pi),
       10,
       -45,
       ""},
      {"GAIN=stated takes the sensitivity",
       stated,
       {.stated_gain = true},
       1 / (2 * pi),
       4,
       -45,
       ""},
      {"velocity to displacement: times i w",
       chain({pole_zero(StageKind::laplace_rad, -1, 1, 0)}),
       {.units = 0},
       1 / (2 * pi),
       1 / std::sqrt(2.0),
       45,
       ""},
      {"to acceleration: over i w",
       chain({pole_zero(StageKind::laplace_rad, -1, 1, 0)}),
       {.units = 2},
       1 / (2 * pi),
       1 / std::sqrt(2.0),
       -135,
       ""},
      // Taps 1/4, 1/2, 1/4 at 25 Hz of 100: cos^2(pi/4) = 1/2, zero phase.
      {"symmetric FIR, half listed",
       chain({fir(1, {0.25, 0.5}, FirSymmetry::odd)}),
       {},
       25,
       0.5,
       0,
       ""},
      // Without correction the same taps keep their one-sample delay: -90 degrees at 25 Hz.
      {"asymmetric FIR",
       chain({fir(1, {0.25, 0.5, 0.25}, FirSymmetry::none)}),
       {},
       25,
       0.5,
       -90,
       ""},
      {"a polynomial of degree 1 is its slope", chain({polynomial}), {}, 3, 3, 0, ""},
      {"list interpolated between its points", chain({list}), {}, 2, 3, 45, ""},
      {"a polynomial of degree 2",
       chain({quadratic}),
       {},
       1,
       0,
       0,
       "stage 1: a polynomial of degree 2; only degree 1 (a gain) is evaluated"},
      {"units that do not chain", broken, {}, 1, 0, 0, "stage 1 puts out V but stage 2 takes PA"},
      {"stages not in the chain",
       chain({polynomial}),
       {.first_stage = 4, .last_stage = 5},
       1,
       0,
       0,
       "no stage numbered 4 ... 5"},
      {"outside the list",
       chain({list}),
       {},
       5,
       0,
       0,
       "5 Hz lies outside stage 1's response list (1 ... 3 Hz)"},
      {"digital stage without its rate",
       chain({rateless}),
       {},
       1,
       0,
       0,
       "stage 1: a digital stage without its input sample rate"},
  };
  for (const auto& c : cases) {
    std::vector<std::complex<double>> h;
    std::vector<std::string> notes;
    std::string why;
    int status = evaluate_response(c.r, c.o, {c.f}, h, notes, why);
    if (*c.why != '\0') {
      EXPECT_EQ(-1, status) << c.name;
      EXPECT_EQ(c.why, why) << c.name;
      continue;
    }
    ASSERT_EQ(0, status) << c.name << ": " << why;
    EXPECT_NEAR(c.amplitude, std::abs(h[0]), 1e-9 * c.amplitude) << c.name;
    EXPECT_NEAR(0, std::remainder(std::arg(h[0]) * 180 / pi - c.phase, 360), 1e-7) << c.name;
  }
}

// What is worth a line on standard error.
TEST(EvaluateResponse, NotesWhatItNoticed) {
  ChannelResponse unnormalised = chain({fir(1, {0.5, 0.5, 0.5}, FirSymmetry::none)});
  ChannelResponse mismatch = chain({pole_zero(StageKind::laplace_rad, -1, 1, 0)});
  mismatch.stages[0].has_gain = true, mismatch.stages[0].gain = 100;
  mismatch.has_sensitivity = true, mismatch.sensitivity = 90, mismatch.sensitivity_frequency = 0;
  // Quoted at 0 Hz, where a pole at 0 makes the stage infinite: not movable.
  ChannelResponse at_pole = chain({pole_zero(StageKind::laplace_rad, 0, 1, 0)});
  at_pole.stages[0].has_gain = true, at_pole.stages[0].gain = 100;
  at_pole.has_sensitivity = true, at_pole.sensitivity = 90, at_pole.sensitivity_frequency = 1;
  ChannelResponse nyquist = chain({fir(1, {1}, FirSymmetry::none)});
  nyquist.has_sensitivity = true, nyquist.sensitivity = 1, nyquist.sensitivity_frequency = 60;
  const struct {
    const char* name;
    ChannelResponse r;
    const char* note;
  } cases[] = {
      {"FIR normalised", unnormalised, "stage 1: FIR coefficients sum to 1.5, not 1; normalised"},
      {"gains against sensitivity", mismatch,
       "the stage gains multiply to 100 at 0 Hz, the stated sensitivity is 90"},
      {"gain quoted at a pole", at_pole,
       "the stage gains multiply to 100 at 1 Hz, the stated sensitivity is 90"},
      {"sensitivity above Nyquist", nyquist,
       "the sensitivity is quoted at 60 Hz, above the Nyquist frequency 50 Hz"},
  };
  for (const auto& c : cases) {
    std::vector<std::complex<double>> h;
    std::vector<std::string> notes;
    std::string why;
    ASSERT_EQ(0, evaluate_response(c.r, {}, {1}, h, notes, why)) << c.name << ": " << why;
    ASSERT_EQ(1u, notes.size()) << c.name;
    EXPECT_EQ(c.note, notes[0]) << c.name;
  }
}

}  // namespace
