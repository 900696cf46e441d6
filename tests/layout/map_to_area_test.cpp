#include "layout/map_to_area.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "core/last_error.h"

namespace {

using Vertices = std::vector<std::pair<int, int>>;

struct Mapping {
  double x_min, x_max, y_min, y_max;
  bool log_x, log_y;
};

// The area of the standard 800 x 600 picture with the mapping's axes.
PlotArea area_for(const Mapping& m, int& refused) {
  PlotArea area = standard_plot_area(800, 600);
  refused = set_axes(area, m.x_min, m.x_max, m.log_x, m.y_min, m.y_max, m.log_y);
  return area;
}

// Sets the axes and, when they are usable, maps the points.
int map(const Mapping& m, PointList points, Vertices& out) {
  int refused;
  PlotArea area = area_for(m, refused);
  out.clear();
  if (refused < 0) return refused;
  for (const PixelPoint& v : map_to_area(points, area)) out.emplace_back(v.x, v.y);
  return 0;
}

TEST(MapToArea, MapsAndTruncates) {
  const struct {
    Mapping m;
    PointList points;
    Vertices vertices;
  } cases[] = {
      {{0.001, 20, 0.01, 10, true, true},
       {{1, 1}, {10, 0.1}, {0.001, 0.01}},
       {{562, 226}, {729, 393}, {60, 560}}},
      {{0, 10, 0, 1, false, false}, {{2.5, 0.25}}, {{240, 435}}},
      // Points outside either range drop out; their neighbours join up.
      {{1, 10, 1, 10, true, true},
       {{1, 1}, {0.999, 5}, {5, 10.001}, {10, 10}, {NAN, 5}},
       {{60, 560}, {780, 60}}},
      {{-5, 5, -1, 1, false, false}, {{-5, -1}, {0, 0}}, {{60, 560}, {420, 310}}},
  };
  for (const auto& c : cases) {
    Vertices v;
    EXPECT_EQ(0, map(c.m, c.points, v));
    EXPECT_EQ(c.vertices, v);
  }
}

TEST(MapToArea, RefusesUnusableRanges) {
  const char* x_log = "create_graphics_vector(): Incorrect X-axis values for Log10-scale";
  const char* x_lin = "create_graphics_vector(): Incorrect X-axis values for Line-scale";
  const char* y_log = "create_graphics_vector(): Incorrect Y-axis values for Log10-scale";
  const char* y_lin = "create_graphics_vector(): Incorrect Y-axis values for Line-scale";
  const struct {
    Mapping m;
    int result;
    const char* message;
  } cases[] = {
      {{0, 10, 1, 2, true, true}, -1, x_log},
      {{0, 10, 1, 2, false, true}, 0, nullptr},
      {{5, 5, 1, 2, true, true}, -1, x_log},
      {{5, 5, 1, 2, false, true}, -1, x_lin},
      {{1, 2, 3, 3, true, true}, -2, y_log},
      {{1, 2, 3, 3, true, false}, -2, y_lin},
      {{0, 0, 3, 3, true, true}, -1, x_log},  // both unusable: the X message
      {{NAN, 2, 1, 2, true, true}, -1, x_log},
      {{1, 2, 1, NAN, true, false}, -2, y_lin},
      // More decades than a double can hold: the ratio overflows.
      {{1e-250, 1e250, 1, 2, true, true}, -1, x_log},
      {{1, 2, 1e-300, 1e300, true, true}, -2, y_log},
      {{1e-250, 1e250, 1, 2, false, true}, 0, nullptr},
  };
  for (const auto& c : cases) {
    last_error = "NO_ERROR";
    Vertices v;
    EXPECT_EQ(c.result, map(c.m, {{1.5, 1.5}}, v)) << c.m.x_min << " " << c.m.y_min;
    if (c.message) {
      EXPECT_EQ(c.message, last_error);
      EXPECT_TRUE(v.empty());
    }
  }
}

// Big lists are mapped in two halves at once, over their own points: the
// result must be the list that mapping the points a few at a time gives.
TEST(MapToArea, BigListsMapLikeSmallOnes) {
  PointList points;
  for (int i = 0; i < 600001; ++i) points.push_back({0.001 * (1 + i % 5000), 0.01 + (i % 77)});
  int refused;
  PlotArea area = area_for({0.002, 4, 0.01, 70, true, true}, refused);
  ASSERT_EQ(0, refused);
  std::vector<PixelPoint> pieces;
  for (size_t start = 0; start < points.size(); start += 1000) {
    PointList piece(points.begin() + start, points.begin() + std::min(points.size(), start + 1000));
    for (const PixelPoint& v : map_to_area(piece, area)) pieces.push_back(v);
  }
  std::span<const PixelPoint> whole = map_to_area(points, area);
  ASSERT_EQ(pieces.size(), whole.size());
  for (size_t i = 0; i < whole.size(); ++i) {
    ASSERT_EQ(pieces[i].x, whole[i].x) << i;
    ASSERT_EQ(pieces[i].y, whole[i].y) << i;
  }
}

}  // namespace
