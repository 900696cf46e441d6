// Pole-zero files as a calibration script meets them: evaluated wherever a
// measured curve, NORM= or the picture needs them, in displacement beside
// text files in their own units, with phases as a textbook draws them;
// never read as a phase file.

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstdio>
#include <numbers>
#include <string>
#include <vector>

#include "support/gif_reader.h"
#include "support/test_files.h"

namespace {

// A 4.5 Hz velocity geophone damped at 0.7, as a displacement response.
const std::complex<double> pole(-19.7920337, 20.1919132);
const char geophone[] =
    "* 4.5 Hz geophone\nZEROS 3\nPOLES 2\n-19.7920337 20.1919132\n-19.7920337 -20.1919132\n"
    "CONSTANT 30\n";

std::complex<double> response(double f) {
  std::complex<double> s(0, 2 * std::numbers::pi * f);
  return 30.0 * s * s * s / ((s - pole) * (s - std::conj(pole)));
}

// The geophone measured from 0.1 to 100 Hz (`per_decade` points a decade),
// in displacement or velocity, `gain` times too sensitive from 90 to 110 Hz.
std::string measured(bool velocity, double gain, int per_decade = 40) {
  std::string text;
  for (int i = 0; i <= 3 * per_decade; ++i) {
    double f = std::pow(10.0, -1 + static_cast<double>(i) / per_decade);
    double a = std::abs(response(f)) / (velocity ? 2 * std::numbers::pi * f : 1);
    if (f >= 90 && f <= 110) a *= gain;
    char line[64];
    snprintf(line, sizeof line, "%.17g %.17g\n", f, a);
    text += line;
  }
  return text;
}

TEST(ComputedResponses, ComparedNormalisedAndRead) {
  TempDir dir;
  write_file(dir.path("geo.pz"), geophone);
  write_file(dir.path("dis.txt"), measured(false, 1));
  write_file(dir.path("fault.txt"), measured(false, 2));
  write_file(dir.path("phase.txt"), "1 150000\n10 150000\n");
  const std::string pz = "IN=" + dir.path("geo.pz");
  const std::string amplitudes = "PHASE=" + dir.path("phase.txt") +
                                 ": 2 phases beyond 100000 degrees: is it an amplitude file?";
  const struct {
    std::vector<std::string> args;
    int status;
    std::string out;  // how standard output begins (with TOL=, status 0 is within)
    std::string err;  // a text standard error holds, or ""
  } cases[] = {
      {{"IN2=" + dir.path("dis.txt"), "-fit", "TOL=0.01"}, 0, "IN2: max deviation ", ""},
      // Beyond the roots' decade: a fault there is not passed unseen.
      {{"IN2=" + dir.path("fault.txt"), "-fit", "TOL=1"},
       1,
       "IN2: max deviation 6.02 dB at 94.4 Hz: outside tolerance\n",
       ""},
      // Above the picture's default range, where H(s) is as well defined.
      {{"NORM=50"}, 0, "", ""},
      {{"PHASE=" + dir.path("geo.pz")},
       254,
       "read_in(): A phase file must list frequencies and degrees, not poles and zeros: PHASE=" +
           dir.path("geo.pz") + "\n",
       ""},
      {{"PHASE=" + dir.path("phase.txt")}, 0, "", "afcdraw: warning: " + amplitudes},
      {{"PHASE=" + dir.path("phase.txt"), "-strict"}, 255, "parse_cmd(): " + amplitudes + "\n", ""},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args{pz, "OUT=" + dir.path("o.gif")};
    args.insert(args.end(), c.args.begin(), c.args.end());
    RunResult r = run_afcdraw(args);
    EXPECT_EQ(c.status, r.status) << c.args[0] << "\n" << r.out << r.err;
    EXPECT_EQ(0u, r.out.rfind(c.out, 0)) << c.args[0] << "\n" << r.out;
    EXPECT_NE(std::string::npos, r.err.find(c.err)) << c.args[0] << "\n" << r.err;
  }
}

// Measured first, the nominal second: between the three points a decade
// the measured curve is only interpolated, so the deviation counts at them.
TEST(ComputedResponses, ANominalSecondDeviatesAtTheMeasuredFrequencies) {
  TempDir dir;
  write_file(dir.path("geo.pz"), geophone);
  write_file(dir.path("sparse.txt"), measured(false, 1, 3));
  // A picture wider than the measured curve: the nominal's values outside
  // it are where it was evaluated, no points left unjudged.
  for (const char* range : {"-fit", "X_AXIS=0.01;1000"}) {
    RunResult r = run_afcdraw({"IN=" + dir.path("sparse.txt"), "IN2=" + dir.path("geo.pz"),
                               "OUT=" + dir.path("o.gif"), range, "TOL=0.001"});
    EXPECT_EQ(0, r.status) << range << "\n" << r.out;
    EXPECT_NE(std::string::npos, r.out.find(": within tolerance")) << r.out;
  }
}

// Each curve in its own units: the pole-zero file in displacement, a text
// file in its IN2_UNITS=, else UNITS=' from, else UNITS=' one word; unlike
// known units compared are warned about, and fail with -strict.
TEST(ComputedResponses, UnitsPerCurve) {
  TempDir dir;
  write_file(dir.path("geo.pz"), geophone);
  write_file(dir.path("dis.txt"), measured(false, 1));
  write_file(dir.path("vel.txt"), measured(true, 1));
  const std::string pz = "IN=" + dir.path("geo.pz");
  const std::string dis = "IN2=" + dir.path("dis.txt"), vel = "IN2=" + dir.path("vel.txt");
  const std::string unlike = "IN2=" + dir.path("vel.txt") + " (velocity) is compared with " + pz +
                             " (poles and zeros: displacement) in other units (UNITS= converts "
                             "them)";
  const struct {
    std::vector<std::string> args;
    int status;
    std::string out;  // how standard output begins
    std::string err;  // the warning on standard error, or "" for none
  } cases[] = {
      {{vel, "UNITS=VEL"}, 0, "IN2: max deviation ", ""},
      {{dis, "UNITS=DIS,VEL"}, 0, "IN2: max deviation ", ""},
      {{vel, "IN2_UNITS=VEL", "UNITS=ACC"}, 0, "IN2: max deviation ", ""},
      {{vel, "IN2_UNITS=VEL", "UNITS=DIS,VEL"}, 0, "IN2: max deviation ", ""},
      {{vel}, 1, "IN2: max deviation 56 dB", ""},  // units unknown: as given
      {{vel, "IN2_UNITS=VEL"}, 1, "IN2: max deviation 56 dB", "afcdraw: warning: " + unlike},
      {{vel, "IN2_UNITS=VEL", "-strict"}, 255, "parse_cmd(): " + unlike + "\n", ""},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args{pz, "OUT=" + dir.path("o.gif"), "-fit", "TOL=0.01"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    RunResult r = run_afcdraw(args);
    std::string row = c.args.size() > 1 ? c.args[1] : c.args[0];
    EXPECT_EQ(c.status, r.status) << row << "\n" << r.out << r.err;
    EXPECT_EQ(0u, r.out.rfind(c.out, 0)) << row << "\n" << r.out;
    if (c.err.empty()) {
      EXPECT_EQ(std::string::npos, r.err.find("warning")) << row << "\n" << r.err;
    } else {
      EXPECT_NE(std::string::npos, r.err.find(c.err)) << row << "\n" << r.err;
    }
  }
}

// The geophone as a velocity response on P_AXIS=-180;180 (rows 366 ... 560
// below the amplitude): +180 degrees at the top far below its corner, 0 in
// the middle far above it.
TEST(ComputedResponses, PhasesReadAsTextbooksDrawThem) {
  TempDir dir;
  write_file(dir.path("geo.pz"), geophone);
  std::string out = dir.path("o.gif");
  RunResult r = run_afcdraw({"IN=" + dir.path("geo.pz"), "OUT=" + out, "UNITS=DIS,VEL", "-phase",
                             "X_AXIS=0.01;1000", "P_AXIS=-180;180"});
  ASSERT_EQ(0, r.status) << r.out;
  DecodedImage im = decode_gif(read_file(out));
  ASSERT_TRUE(im);
  constexpr int red = 2, top = 366, bottom = 560;
  auto red_row = [&](int x) {
    for (int y = top; y <= bottom; ++y) {
      if (pixel(im, x, y) == red) return y;
    }
    return -1;
  };
  EXPECT_NEAR(top, red_row(100), 4);
  EXPECT_NEAR((top + bottom) / 2, red_row(740), 4);
}

}  // namespace
