#include "layout/amplitude_axis_drawable.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

TEST(AmplitudeAxisDrawable, SaysWhichRangesAnAxisCanShow) {
  constexpr double inf = std::numeric_limits<double>::infinity();
  const double nan = std::nan("");
  const double next_to_one = std::nextafter(1.0, 2.0);
  const struct {
    double lo, hi;
    bool log;
    bool drawable;
    const char* why;  // part of the reason
  } cases[] = {
      {1, 100, true, true, ""},
      {-5, 5, false, true, ""},
      {1e8, 1.000001e8, true, true, ""},
      {1e-300, 1e300, false, true, ""},
      {1e-150, 1e150, true, true, ""},
      {0, 10, true, false, "above 0"},
      {-1, 10, true, false, "above 0"},
      {5, 5, false, false, "not below"},
      {10, 1, true, false, "not below"},
      {nan, 1, false, false, "finite"},
      {1, inf, true, false, "finite"},
      {1e-300, 1e300, true, false, "decades"},
      {-1e308, 1e308, false, false, "larger than a number"},
      {1, next_to_one, false, false, "too narrow"},
      {1, next_to_one, true, false, "too narrow"},
  };
  for (const auto& c : cases) {
    std::string why = "stale";
    EXPECT_EQ(c.drawable, amplitude_axis_drawable(c.lo, c.hi, c.log, why))
        << c.lo << ";" << c.hi << " log " << c.log;
    if (c.drawable) {
      EXPECT_EQ("", why);
    } else {
      EXPECT_NE(std::string::npos, why.find(c.why)) << c.lo << ";" << c.hi << ": " << why;
    }
  }
}

}  // namespace
