// UNITS=, NORM=, -dB and NYQUIST= as users meet them: a converted curve is
// drawn exactly as the same curve written out converted.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>
#include <vector>

#include "support/gif_reader.h"
#include "support/test_files.h"

namespace {

std::string line(double f, double a, double p) {
  char text[96];
  snprintf(text, sizeof text, "%.17g %.17g %.17g\n", f, a, p);
  return text;
}

TEST(Conversions, ConvertedCurvesDrawAsTheirConvertedFiles) {
  TempDir dir;
  std::string velocity, acceleration, normalised_db;
  for (int i = 0; i <= 60; ++i) {
    double f = std::pow(10.0, -2 + i / 15.0);
    double a = 1500 * f * f / (1 + f * f), p = 180 - 2 * std::atan(f) * 180 / std::numbers::pi;
    velocity += line(f, a, p);
    acceleration += line(f, a / (2 * std::numbers::pi * f), p - 90);
  }
  write_file(dir.path("vel.txt"), velocity);
  write_file(dir.path("acc.txt"), acceleration);
  const struct {
    std::vector<std::string> converted, written;
  } cases[] = {
      {{"IN=" + dir.path("vel.txt"), "UNITS=VEL,acc"}, {"IN=" + dir.path("acc.txt")}},
      {{"IN=" + dir.path("vel.txt"), "UNITS=vel;ACC", "-phase", "-fit"},
       {"IN=" + dir.path("acc.txt"), "-phase", "-fit"}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> a = c.converted, b = c.written;
    a.push_back("OUT=" + dir.path("a.gif"));
    b.push_back("OUT=" + dir.path("b.gif"));
    ASSERT_EQ(0, run_afcdraw(a).status);
    ASSERT_EQ(0, run_afcdraw(b).status);
    EXPECT_EQ(read_file(dir.path("b.gif")), read_file(dir.path("a.gif"))) << c.converted[1];
  }
}

// An amplitude file with its phases in a PHASE= file, wrapped, at other
// frequencies: the phases are unwrapped and taken in log frequency at the
// amplitude's frequencies, as a three-column file would give them.
TEST(Conversions, PhaseFilesJoinTheirAmplitudes) {
  TempDir dir;
  write_file(dir.path("amp.txt"), "1 1\n3.1622776601683795 2\n10 3\n31.622776601683793 4\n");
  write_file(dir.path("phase.txt"), "1 0\n10 -90\n100 180\n");
  write_file(dir.path("joined.txt"), line(1, 1, 0) + line(3.1622776601683795, 2, -45) +
                                         line(10, 3, -90) + line(31.622776601683793, 4, -135));
  ASSERT_EQ(0, run_afcdraw({"IN=" + dir.path("amp.txt"), "PHASE=" + dir.path("phase.txt"),
                            "OUT=" + dir.path("a.gif")})
                   .status);
  ASSERT_EQ(
      0,
      run_afcdraw({"IN=" + dir.path("joined.txt"), "-phase", "OUT=" + dir.path("b.gif")}).status);
  EXPECT_EQ(read_file(dir.path("b.gif")), read_file(dir.path("a.gif")));
  RunResult r = run_afcdraw({"IN=" + dir.path("amp.txt"), "IN2=" + dir.path("amp.txt"),
                             "PHASE2=" + dir.path("none.txt"), "OUT=" + dir.path("c.gif")});
  EXPECT_EQ(254, r.status);
  EXPECT_EQ("read_in(): File open error: PHASE2=" + dir.path("none.txt") + "\n", r.out);
}

// A pole-zero file draws its response (as a displacement response: with
// UNITS=dis,vel the flat band of a seismometer), and a malformed one names
// its line.
TEST(Conversions, PoleZeroFilesDrawTheirResponse) {
  TempDir dir;
  write_file(dir.path("sts.pz"),
             "* 120 s broadband, m and rad/s\nZEROS 3\nPOLES 2\n-0.03701 0.03701\n"
             "-0.03701 -0.03701\nCONSTANT 1500\n");
  write_file(dir.path("bad.pz"), "ZEROS 1\n0 0\n1 1\n");
  std::string out = dir.path("o.gif");
  RunResult r = run_afcdraw({"IN=" + dir.path("sts.pz"), "OUT=" + out, "UNITS=dis,vel", "-fit",
                             "-phase", "X_AXIS=1;10", "Y_AXIS=100;10000"});
  ASSERT_EQ(0, r.status) << r.out;
  DecodedImage im = decode_gif(read_file(out));
  ASSERT_TRUE(im);
  // Flat at 1500 from 1 to 10 Hz: the curve runs along one row.
  int rows[2] = {-1, -1};
  for (int k = 0; k < 2; ++k) {
    for (int y = 60; y <= 350; ++y) {
      if (pixel(im, k == 0 ? 100 : 700, y) == 2) rows[k] = y;
    }
  }
  EXPECT_NE(-1, rows[0]);
  EXPECT_NEAR(rows[0], rows[1], 1);
  r = run_afcdraw({"IN=" + dir.path("sts.pz"), "IN2=" + dir.path("bad.pz"), "OUT=" + out});
  EXPECT_EQ(253, r.status);
  EXPECT_EQ("str2graph(): Incorrect pole-zero file, line 3: more roots listed than counted: IN2=" +
                dir.path("bad.pz") + "\n",
            r.out);
}

TEST(Conversions, ValuesAndTheNyquistLine) {
  TempDir dir;
  write_file(dir.path("in.txt"), "1 1\n10 10\n100 100\n");
  const std::string in = "IN=" + dir.path("in.txt"), out = "OUT=" + dir.path("o.gif");
  const struct {
    std::string arg;
    int status;
    std::string message;
  } cases[] = {
      {"UNITS=ve", 255, "parse_cmd(): Incorrect [UNITS=] value\n"},
      {"UNITS=vel;", 255, "parse_cmd(): Incorrect [UNITS=] value\n"},
      {"UNITS=v", 255, "parse_cmd(): Incorrect [UNITS=] value\n"},  // once read past its end
      {"UNITS=", 255, "parse_cmd(): Incorrect [UNITS=] value\n"},
      {"IN_UNITS=speed", 255, "parse_cmd(): Incorrect [UNITS=] value\n"},
      {"UNITS=vel,jerk", 255, "parse_cmd(): Incorrect [UNITS=] value\n"},
      {"NORM=0", 255, "parse_cmd(): Incorrect [NORM=] value\n"},
      {"NYQUIST=-1", 255, "parse_cmd(): Incorrect [NYQUIST=] value\n"},
      {"NORM=1000", 253, "convert(): No data around the NORM= frequency: IN=\n"},
      {"NYQUIST=40", 0, ""},
  };
  for (const auto& c : cases) {
    RunResult r = run_afcdraw({in, out, c.arg, "-fit"});
    EXPECT_EQ(c.status, r.status) << c.arg;
    EXPECT_EQ(0u, r.out.find(c.message.substr(0, c.message.find(": IN=") + 5))) << c.arg;
  }
  // 20 Hz on the fitted axis from 1 to 100 Hz: log10(20) / 2 of the width.
  DecodedImage im = decode_gif(read_file(dir.path("o.gif")));
  ASSERT_TRUE(im);
  int nyquist = gdImageColorExact(im.get(), 139, 69, 19);
  ASSERT_GE(nyquist, 0);
  int column = static_cast<int>(std::log10(20.0) / 2 * 720 + 60);
  int dashes = 0;
  for (int y = 60; y <= 560; ++y) dashes += pixel(im, column, y) == nyquist;
  EXPECT_GT(dashes, 200);
}

}  // namespace
