#include "layout/amplitude_range.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(FindAmplitudeRange, ScansTheRunThePlotShows) {
  const struct {
    PointList points;
    double x_min, x_max;
    double y_min, y_max;
  } cases[] = {
      {{{1, 3}, {2, 5}, {3, 4}}, 0.5, 20, 3, 5},
      {{{100, 7}, {1, 3}, {2, 5}}, 0.5, 20, 3, 7},        // the first point counts wherever it lies
      {{{1, 9}, {5, 2}, {10, 4}, {12, 6}}, 8, 20, 2, 6},  // below x_min: start afresh
      {{{1, 2}, {2, 3}, {30, 100}, {3, 1}}, 0.5, 20, 2, 3},  // above x_max: stop
      {{{1, 20}, {2, 4}, {10, 3}}, 2, 10, 3, 20},            // inclusive bounds
      {{{1, -5}, {10, 3}, {12, 4}}, 8, 20, -5, 4},
      {{{1, -5}, {2, 1}, {10, 3}, {12, 4}}, 8, 20, 1, 4},
      {{{1, 5}, {10, 7}, {5, 2}}, 8, 20, 2, 2},
      {{{4, 8}}, 1, 2, 8, 8},
  };
  for (const auto& c : cases) {
    double lo = 0, hi = 0;
    find_amplitude_range(c.points, c.x_min, c.x_max, lo, hi);
    EXPECT_EQ(c.y_min, lo);
    EXPECT_EQ(c.y_max, hi);
  }
}

}  // namespace
