#include "input/pole_zero.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

namespace {

constexpr double pi = std::numbers::pi;

// Responses worked out by hand at one frequency each.
TEST(PoleZero, AgainstHandCalculation) {
  const double w0 = 2 * pi, h = std::sqrt(0.5);  // 1 Hz, damped at 0.707
  const std::string geophone = "ZEROS 2\nPOLES 2\n" + std::to_string(-h * w0) + " " +
                               std::to_string(w0 * std::sqrt(1 - h * h)) + "\n" +
                               std::to_string(-h * w0) + " " +
                               std::to_string(-w0 * std::sqrt(1 - h * h)) + "\n";
  const struct {
    const char* name;
    std::string file;
    double f, amplitude, phase;
  } cases[] = {
      {"one pole at its corner", "POLES 1\n-3 0\n", 3 / (2 * pi), 1 / (3 * std::sqrt(2.0)), -45},
      {"a zero at the origin, by its count alone", "ZEROS 1\nCONSTANT 1\n", 2, 4 * pi, 90},
      {"a negative constant", "* gain only\nconstant -2\n", 5, 2, 180},
      // s^2 / (s^2 + 2 h w0 s + w0^2) at w0: i / 2h.
      {"geophone at its natural frequency", geophone, 1, 1 / (2 * h), 90},
      {"tabs and comments anywhere", "*\n\tPOLES\t1\n* between\n-3\t0\n", 3 / (2 * pi),
       1 / (3 * std::sqrt(2.0)), -45},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(is_pole_zero(c.file)) << c.name;
    PoleZero pz;
    int line;
    std::string why;
    ASSERT_EQ(0, parse_pole_zero(c.file, pz, line, why)) << c.name << ": " << why;
    PointList a, p;
    evaluate_pole_zero(pz, {c.f}, a, p);
    EXPECT_NEAR(c.amplitude, a[0].y, 1e-5 * c.amplitude) << c.name;
    EXPECT_NEAR(c.phase, p[0].y, 1e-4) << c.name;
  }
}

TEST(PoleZero, MalformedFilesNameTheirLine) {
  const struct {
    std::string file;
    int line;
    const char* why;
  } cases[] = {
      {"ZEROS 1\n0 0\n1 1\n", 3, "more roots listed than counted"},
      {"POLES 2\n-1 zero\n", 2, "not a keyword nor a root (two numbers)"},
      {"ZEROS\nPOLES 1\n", 1, "ZEROS without its number"},
      {"ZEROS 1e9\n", 1, "ZEROS count out of range 0 ... 1000"},
      {"POLES -1\n", 1, "POLES count out of range 0 ... 1000"},
      {"ZEROS 0\nZEROS 0\n", 2, "ZEROS given twice"},
      {"* nothing\nZEROS 0\nPOLES 0\n", 3, "neither a root nor a constant"},
      {"CONSTANT 1 2\n", 1, "CONSTANT without its number"},
  };
  for (const auto& c : cases) {
    PoleZero pz;
    int line;
    std::string why;
    EXPECT_EQ(-1, parse_pole_zero(c.file, pz, line, why)) << c.file;
    EXPECT_EQ(c.line, line) << c.file;
    EXPECT_EQ(c.why, why) << c.file;
  }
  EXPECT_FALSE(is_pole_zero("* POLES 1\n1 2\n"));
  EXPECT_FALSE(is_pole_zero("ZEROSX 1\n"));
}

// Files as other tools and editors write them: a byte-order mark first,
// "#" comments on their own lines and after a count or a number.
TEST(PoleZero, ByteOrderMarksAndHashComments) {
  const struct {
    const char* name;
    std::string file;
    bool detected;
    size_t zeros, poles;
    double constant;
  } cases[] = {
      {"a byte-order mark", "\xEF\xBB\xBFZEROS 1\nPOLES 1\n-3 0\n", true, 1, 1, 1},
      {"# comment lines", "# sensor\n  # and digitiser\nPOLES 1\n-3 0\n", true, 0, 1, 1},
      {"comments after counts and numbers",
       "ZEROS 3 # sensor\nPOLES 1\t# one\n-3 0 # rad/s\nCONSTANT 2.5# V/m\n", true, 3, 1, 2.5},
      {"a mark, then a comment", "\xEF\xBB\xBF# header\r\nCONSTANT 4\r\n", true, 0, 0, 4},
      {"a mark before a table",
       "\xEF\xBB\xBF"
       "1 2\n3 4\n",
       false, 0, 0, 0},
      {"a keyword commented out", "# ZEROS 1\n1 2\n", false, 0, 0, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.detected, is_pole_zero(c.file)) << c.name;
    if (!c.detected) continue;
    PoleZero pz;
    int line;
    std::string why;
    ASSERT_EQ(0, parse_pole_zero(c.file, pz, line, why)) << c.name << ": " << why;
    EXPECT_EQ(c.zeros, pz.zeros.size()) << c.name;
    EXPECT_EQ(c.poles, pz.poles.size()) << c.name;
    EXPECT_EQ(c.constant, pz.constant) << c.name;
  }
}

}  // namespace
