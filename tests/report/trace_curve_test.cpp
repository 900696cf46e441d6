#include "report/trace_curve.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// 100 x 100 layout units, both axes linear over 0..100.
PlotArea square() {
  PlotArea a = plot_area_between(100, 100, 200, 200);
  a.x = axis_scale(0, 100, false, a.width);
  a.y = axis_scale(0, 100, false, a.height);
  return a;
}

std::vector<size_t> run_lengths(const TracedCurve& t) {
  std::vector<size_t> lengths;
  size_t start = 0;
  for (size_t end : t.ends) lengths.push_back(end - start), start = end;
  return lengths;
}

TEST(TraceCurve, RunsAreCutAtTheFrameAndBrokenWhereNoPointLies) {
  const struct {
    const char* what;
    PointList points;
    std::vector<size_t> runs;
  } cases[] = {
      {"inside", {{10, 10}, {50, 50}, {90, 10}}, {3}},
      {"leaves and comes back", {{50, 50}, {500, 50}, {50, 60}}, {2, 2}},
      {"wholly outside", {{500, 50}, {600, 50}}, {}},
      {"a lone point", {{10, NAN}, {50, 50}, {NAN, 1}}, {1}},
      {"broken by a point that cannot be placed",
       {{10, 10}, {20, NAN}, {30, 30}, {40, 40}},
       {1, 2}},
  };
  for (const auto& c : cases) {
    TracedCurve t;
    trace_curve(c.points, square(), 1000, t);
    EXPECT_EQ(c.runs, run_lengths(t)) << c.what;
    for (const Vertex& v : t.vertices) {
      EXPECT_TRUE(96 <= v.x && v.x <= 204 && 96 <= v.y && v.y <= 204) << c.what;
    }
  }
}

// A dense swinging curve keeps at most four vertices a column, and in each
// column its lowest and highest point.
TEST(TraceCurve, ThinningKeepsEachColumnsExtremes) {
  PointList points;
  for (int i = 0; i < 100000; ++i) points.push_back({i / 1000.0, 50 + 40 * std::sin(i * 0.7)});
  TracedCurve t;
  trace_curve(points, square(), 1, t);
  ASSERT_EQ(1u, t.ends.size());
  EXPECT_LE(t.vertices.size(), 4u * 101);
  auto [low, high] =
      std::minmax_element(t.vertices.begin(), t.vertices.end(),
                          [](const Vertex& a, const Vertex& b) { return a.y < b.y; });
  EXPECT_NEAR(110, low->y, 0.01);   // 90 on the axis
  EXPECT_NEAR(190, high->y, 0.01);  // 10 on the axis
}

// On log axes each vertex lies where log10 puts it: over three hundred
// decades, at and around the powers of two where a mantissa's octave
// turns, and across the chunks the tracing takes the points in.
TEST(TraceCurve, LogAxesPlaceEachPointAsLog10Does) {
  PlotArea a = plot_area_between(100, 100, 1100, 1100);
  a.x = axis_scale(1e-150, 1e150, true, a.width);
  a.y = axis_scale(1e-150, 1e150, true, a.height);
  PointList points;
  for (int i = 0; i < 1500; ++i) {
    double x = std::pow(10.0, -149.0 + 298.0 * i / 1499);
    int k = i % 7 - 3;  // a power of two, or a step beside one
    double y = k == 0 ? std::ldexp(1.0, i / 2 - 400) : x * (1 + k * 1e-16);
    points.push_back({x, y});
  }
  TracedCurve t;
  trace_curve(points, a, 1e7, t);  // a column to each point: none thinned
  ASSERT_EQ(points.size(), t.vertices.size());
  for (size_t i = 0; i < points.size(); ++i) {
    EXPECT_NEAR(a.left + along(a.x, points[i].x), t.vertices[i].x, 1e-9) << i;
    EXPECT_NEAR(a.bottom - along(a.y, points[i].y), t.vertices[i].y, 1e-9) << i;
  }
}

}  // namespace
