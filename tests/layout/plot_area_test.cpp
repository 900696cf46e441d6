#include "layout/plot_area.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(PlotArea, EdgesSpansAndScalesOfAPicture) {
  const struct {
    int size_x, size_y;
    int right, bottom, width, height;
    double x_min, x_max;
    bool log_x;
    double scale_x, scale_y;  // Y: amplitudes 1 to 10 on log10
  } cases[] = {
      {800, 600, 780, 560, 720, 500, 0.001, 20, true, 720 / std::log10(20 / 0.001), 500.0},
      {640, 480, 620, 440, 560, 380, 0, 8, false, 70.0, 380.0},
  };
  for (const auto& c : cases) {
    PlotArea area = standard_plot_area(c.size_x, c.size_y);
    ASSERT_EQ(0, set_axes(area, c.x_min, c.x_max, c.log_x, 1, 10, true));
    EXPECT_EQ(60, area.left);
    EXPECT_EQ(60, area.top);
    EXPECT_EQ(c.right, area.right);
    EXPECT_EQ(c.bottom, area.bottom);
    EXPECT_EQ(c.width, area.width);
    EXPECT_EQ(c.height, area.height);
    EXPECT_EQ(c.scale_x, area.x.scale);
    EXPECT_EQ(c.scale_y, area.y.scale);
    EXPECT_EQ(c.log_x, area.x.log);
    EXPECT_EQ(c.x_max, area.x.max);
  }
}
