#include "layout/format_label.h"

#include <gtest/gtest.h>

namespace {

TEST(FormatG, ThreeDigitExponentsAtTheFormBoundaries) {
  const struct {
    double v;
    int width;
    const char* text;
  } cases[] = {
      {4.99975, 0, "5"},
      {0.00012, 0, "0.00012"},
      {0.0001, 0, "0.0001"},   // exponent -4: plain form
      {0.00001, 0, "1e-005"},  // exponent -5: exponent form
      {1.2e-5, 0, "1.2e-005"},
      {10, 0, "10"},  // exponent 1
      {99, 0, "99"},
      {100, 0, "1e+002"},  // exponent 2
      {250, 0, "2.5e+002"},
      {99.5, 0, "1e+002"},  // rounding carries into a new digit
      {99.4, 0, "99"},
      {0.000995, 0, "0.001"},  // carries from the exponent form's range into the plain one
      {0.00094, 0, "0.00094"},
      {0.0000995, 0, "0.0001"},
      {0.0000994, 0, "9.9e-005"},
      {1.5e123, 0, "1.5e+123"},  // exponents with three digits of their own
      {2.5e-300, 0, "2.5e-300"},
      {-0.5, 0, "-0.5"},
      {0, 0, "0"},
      {0.5, 6, "   0.5"},
      {60, 6, "    60"},
      {120, 6, "1.2e+002"},
      {-1.25e-7, 6, "-1.2e-007"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.text, format_g(c.v, 2, c.width)) << c.v;
}

TEST(FormatInt, Decimal) {
  EXPECT_EQ("-3", format_int(-3));
  EXPECT_EQ("100", format_int(100));
  EXPECT_EQ("-2147483648", format_int(-2147483647 - 1));
}

}  // namespace
