#include "core/scan_number.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace {

struct PairCase {
  const char* text;
  int count;
  double first;
  double second;
};

TEST(ScanDoublePair, ReadsTheGrammarOfTheFormat) {
  const double u = -7;  // left untouched
  const PairCase cases[] = {
      {"10;5", 2, 10, 5},
      {"10,5", 2, 10, 5},
      {"10\t5", 2, 10, 5},
      {"10, 5", 2, 10, 5},
      {"10  5", 2, 10, 5},
      {"  \t\r\v\f10 5", 2, 10, 5},
      {"10 ; 5", 1, 10, u},  // after the one separator only white space may come
      {"10-5", 2, 10, 5},    // the separator is consumed even when it is a sign
      {"10 -5", 2, 10, -5},
      {"10--5", 2, 10, -5},
      {"1,5;2,5", 2, 1, 5},  // no decimal commas
      {"10 5 45.0", 2, 10, 5},
      {"+.5 5.", 2, 0.5, 5},
      {"-0 1e3", 2, -0.0, 1000},
      {"1.5e-3 2E+2", 2, 0.0015, 200},
      {"1.5.3", 2, 1.5, 3},
      {"5e;3", 2, 5, 3},  // an exponent marker without digits still belongs to the number
      {"5E+ 3", 2, 5, 3},
      {"10 5e", 2, 10, 5},
      {"5ex7", 2, 5, 7},
      {"0x10", 2, 0, 10},  // no hexadecimal forms
      {"inf 5", 0, u, u},
      {"nan 5", 0, u, u},
      {"5 inf", 1, 5, u},
      {"Freq Amp", 0, u, u},
      {"100", 1, 100, u},
      {"100 ", 1, 100, u},
      {".", 0, u, u},
      {"-", 0, u, u},
      {"+.e5 1", 0, u, u},
      {"- 5 1", 0, u, u},
      {"", 0, u, u},
      {"   ", 0, u, u},
      {"00000000000000000000000012.5000000000000000000000 7", 2, 12.5, 7},
      {"1e-400 4.9e-324", 2, 0.0, 4.9406564584124654e-324},
  };
  for (const PairCase& c : cases) {
    double a = u, b = u;
    EXPECT_EQ(c.count, scan_double_pair(c.text, c.text + strlen(c.text), a, b)) << c.text;
    EXPECT_EQ(c.first, a) << c.text;
    EXPECT_EQ(std::signbit(c.first), std::signbit(a)) << c.text;
    EXPECT_EQ(c.second, b) << c.text;
  }
}

TEST(ScanDouble, MagnitudesBeyondTheRangeBecomeInfinityOrZero) {
  const struct {
    const char* text;
    double value;
  } cases[] = {
      {"1e999", HUGE_VAL},         {"-1e999", -HUGE_VAL},
      {"0.0001e313", HUGE_VAL},    {"123456e-330", 0.0},
      {"-1e-999", -0.0},           {"1e99999999999999999999", HUGE_VAL},
      {"0.0000000000e99999", 0.0}, {"1.7976931348623157e308", 1.7976931348623157e308},
  };
  for (const auto& c : cases) {
    double v = 0;
    const char* end = c.text + strlen(c.text);
    EXPECT_EQ(end, scan_double(c.text, end, v)) << c.text;
    EXPECT_EQ(c.value, v) << c.text;
    EXPECT_EQ(std::signbit(c.value), std::signbit(v)) << c.text;
  }
}

// printf's "%.6E" is read at once; whatever departs from it in any one
// character is read by the general reading, to the same value.
TEST(ScanDouble, ReadsPrintfExponentFormAndItsNearMisses) {
  const struct {
    const char* text;
    size_t length;  // of the number read
    double value;
  } cases[] = {
      {"1.234567E+02", 12, 123.4567},
      {"-1.234567e-03 x", 13, -0.001234567},
      {"+9.999999E+22", 13, 9.999999e22},
      {"0.000000E+00", 12, 0.0},
      {"-0.000000E+00", 13, -0.0},
      {"0.012345E+01", 12, 0.12345},
      {"1.234567E+023", 13, 1.234567e23},  // three exponent digits
      {"1.234567E+99", 12, 1.234567e99},   // beyond exact powers of ten
      {"1.234567E-99", 12, 1.234567e-99},
      {"1.23456E+02 1", 11, 123.456},  // five digits after the point
      {"1.2345678E+02", 13, 123.45678},
      {"12.34567E+02", 12, 1234.567},
      {"1.23x567E+02", 4, 1.23},
      {"1.234567E+0x", 11, 1.234567},
      {"1.234567D+02", 8, 1.234567},
      {"1.234567E 02", 9, 1.234567},  // a marker without digits
      {"1,234567E+02", 1, 1.0},
  };
  for (const auto& c : cases) {
    double v = 0;
    const char* end = c.text + strlen(c.text);
    EXPECT_EQ(c.text + c.length, scan_double(c.text, end, v)) << c.text;
    EXPECT_EQ(c.value, v) << c.text;
    EXPECT_EQ(std::signbit(c.value), std::signbit(v)) << c.text;
  }
  // Cut short at any character, it is read as far as the range goes.
  const char text[] = "1.234567E+02";
  for (size_t n = 1; n < sizeof text - 1; ++n) {
    double v = 0;
    ASSERT_NE(nullptr, scan_double(text, text + n, v)) << n;
    EXPECT_EQ(strtod(std::string(text, n).c_str(), nullptr), v) << n;
  }
}

TEST(ScanDouble, StopsAtTheEndOfTheRangeGiven) {
  const char text[] = "12345";
  double v = 0;
  EXPECT_EQ(text + 3, scan_double(text, text + 3, v));
  EXPECT_EQ(123, v);
}

TEST(ScanIntPair, ReadsTwoIntegersAroundOneCharacter) {
  const struct {
    const char* text;
    int count;
    int32_t first;
    int32_t second;
  } cases[] = {
      {"1024x768", 2, 1024, 768}, {"1024", 1, 1024, -1},
      {" -5;+7", 2, -5, 7},       {"640 ; 480", 1, 640, -1},
      {"x", 0, -1, -1},           {"99999999999;-99999999999", 2, 2147483647, -2147483647 - 1},
      {"12.5;3", 2, 12, 5},
  };
  for (const auto& c : cases) {
    int32_t a = -1, b = -1;
    EXPECT_EQ(c.count, scan_int_pair(c.text, c.text + strlen(c.text), a, b)) << c.text;
    EXPECT_EQ(c.first, a) << c.text;
    EXPECT_EQ(c.second, b) << c.text;
  }
}

TEST(DecimalValue, ReadsLikeAtoiAndSaturates) {
  const struct {
    const char* text;
    int32_t value;
  } cases[] = {{"5", 5},
               {" \n-3x", -3},
               {"", 0},
               {"abc", 0},
               {"+12", 12},
               {"2147483647", 2147483647},
               {"-2147483648", std::numeric_limits<int32_t>::min()},
               {"2147483648", 2147483647},
               {"- 4", 0}};
  for (const auto& c : cases) EXPECT_EQ(c.value, decimal_value(c.text)) << c.text;
}

// Every value must be the correctly rounded double, as glibc's strtod gives
// it in the C locale, whichever way the scanner computes it.
TEST(ScanDouble, CorrectlyRoundedAgainstStrtod) {
  std::mt19937_64 rng(5);
  std::uniform_real_distribution<double> unit(0, 1);
  const char* formats[] = {"%.6E", "%.17g", "%g", "%.3f", "%.25e", "%.0f"};
  for (int i = 0; i < 200000; ++i) {
    char text[128];
    double v = std::pow(10.0, unit(rng) * 80 - 40) * (rng() % 2 ? 1 : -1);
    if (i % 3 == 0) {  // digit strings of every length and exponent
      snprintf(text, sizeof text, "%llu.%llue%d",
               static_cast<unsigned long long>(rng() >> (rng() % 64)),
               static_cast<unsigned long long>(rng() % 100000000000ULL),
               static_cast<int>(rng() % 700) - 350);
    } else {
      snprintf(text, sizeof text, formats[i % 6], v);
    }
    double ours = 0;
    const char* end = text + strlen(text);
    ASSERT_EQ(end, scan_double(text, end, ours)) << text;
    double expected = strtod(text, nullptr);
    ASSERT_EQ(0, memcmp(&expected, &ours, sizeof ours)) << text << " " << expected << " " << ours;
  }
}

}  // namespace
