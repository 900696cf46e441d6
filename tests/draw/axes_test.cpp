#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "draw/axis_grid.h"
#include "draw/x_labels.h"
#include "draw/y_labels.h"
#include "fonts/fonts.h"
#include "layout/distinct_steps.h"

namespace {

constexpr int black = 1;

// A blank 800 x 600 image with white at 0 and black at 1.
gdImagePtr blank_image(int w = 800, int h = 600) {
  gdImagePtr im = gdImageCreate(w, h);
  gdImageColorAllocate(im, 255, 255, 255);
  gdImageColorAllocate(im, 0, 0, 0);
  return im;
}

// The grid and labels of one axis of the standard 800 x 600 plot area, as
// a picture draws them.
void x_axis(gdImagePtr im, double lo, double hi, bool log, int sub_grid) {
  PlotArea area = standard_plot_area(800, 600);
  area.x = axis_scale(lo, hi, log, area.width);
  draw_grid(im, black, area, Orientation::horizontal, sub_grid);
  draw_x_labels(im, black, area, sub_grid);
}
void y_axis(gdImagePtr im, double lo, double hi, bool log, int sub_grid) {
  PlotArea area = standard_plot_area(800, 600);
  area.y = axis_scale(lo, hi, log, area.height);
  draw_grid(im, black, area, Orientation::vertical, sub_grid);
  draw_y_labels(im, black, area, sub_grid);
}

struct Label {
  const gdFont& font;
  int x, y;
  const char* text;
};

// True when the image matches, inside the box, an image holding only the labels.
bool labels_match(gdImagePtr im, const std::vector<Label>& labels, int x0, int y0, int x1, int y1) {
  gdImagePtr expected = blank_image(gdImageSX(im), gdImageSY(im));
  for (const Label& l : labels) {
    gdImageString(expected, font_ptr(l.font), l.x, l.y,
                  reinterpret_cast<unsigned char*>(const_cast<char*>(l.text)), black);
  }
  bool same = true;
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) {
      same = same && gdImageGetPixel(im, x, y) == gdImageGetPixel(expected, x, y);
    }
  }
  gdImageDestroy(expected);
  return same;
}

// Columns (or rows) of the plot area that hold any black pixel.
std::set<int> grid_columns(gdImagePtr im, int plot_bottom = 560) {
  std::set<int> out;
  for (int x = 0; x < gdImageSX(im); ++x) {
    for (int y = 60; y <= plot_bottom; ++y) {
      if (gdImageGetPixel(im, x, y) == black) out.insert(x);
    }
  }
  return out;
}
std::set<int> grid_rows(gdImagePtr im, int plot_right = 780) {
  std::set<int> out;
  for (int y = 0; y < gdImageSY(im); ++y) {
    for (int x = 60; x <= plot_right; ++x) {
      if (gdImageGetPixel(im, x, y) == black) out.insert(y);
    }
  }
  return out;
}

bool contains(const std::set<int>& set, const std::vector<int>& wanted) {
  for (int v : wanted) {
    if (!set.count(v)) return false;
  }
  return true;
}

TEST(DrawXAxis, DecadeLinesAndLabels) {
  const struct {
    double x_min, x_max;
    std::set<int> columns;
    std::vector<Label> labels;
  } cases[] = {
      {0.001,
       20,
       {60, 227, 394, 562, 729, 780},
       {{font6x12, 49, 566, "10"},
        {font5x8, 61, 562, "-3"},
        {font6x12, 216, 566, "10"},
        {font5x8, 228, 562, "-2"},
        {font6x12, 383, 566, "10"},
        {font5x8, 395, 562, "-1"},
        {font6x12, 559, 566, "1"},
        {font6x12, 723, 566, "10"},
        {font6x12, 774, 566, "20"}}},
      {1, 500, {}, {{font6x12, 766, 566, "5*10"}, {font5x8, 790, 562, "2"}}},
      {1, 50, {}, {{font6x12, 774, 566, "50"}}},
      {0.001, 0.5, {}, {{font6x12, 777, 566, "0"}}},
  };
  for (const auto& c : cases) {
    gdImagePtr im = blank_image();
    x_axis(im, c.x_min, c.x_max, true, -1);
    if (!c.columns.empty()) {
      EXPECT_EQ(c.columns, grid_columns(im));
      EXPECT_TRUE(labels_match(im, c.labels, 0, 561, 799, 599)) << c.x_min;
    } else {
      // Only the clamped last label is given: compare its own region.
      const Label& last = c.labels.front();
      EXPECT_TRUE(labels_match(im, c.labels, last.x - 1, 561, 799, 599)) << c.x_min;
    }
    gdImageDestroy(im);
  }
}

TEST(DrawXAxis, FirstLineBelowTheRangeHasNoLabelNorSubdivisions) {
  gdImagePtr im = blank_image();
  x_axis(im, 0.002, 20, true, 10);
  EXPECT_TRUE(grid_columns(im).count(60));
  EXPECT_TRUE(labels_match(im, {}, 30, 561, 90, 599));
  gdImageDestroy(im);
}

TEST(DrawXAxis, SubdivisionsOfADecade) {
  gdImagePtr im = blank_image();
  x_axis(im, 0.001, 20, true, 10);
  std::set<int> columns = grid_columns(im);
  EXPECT_TRUE(contains(columns, {394, 445, 474, 495, 511, 525, 536, 545, 554, 562}));
  for (int x = 395; x < 445; ++x) EXPECT_FALSE(columns.count(x)) << x;
  gdImageDestroy(im);
}

TEST(DrawXAxis, LinearGrid) {
  gdImagePtr im = blank_image();
  x_axis(im, 0.001, 20, false, 4);
  EXPECT_EQ((std::set<int>{240, 420, 600}), grid_columns(im));
  EXPECT_TRUE(labels_match(
      im, {{font6x12, 237, 566, "5"}, {font6x12, 414, 566, "10"}, {font6x12, 594, 566, "15"}}, 0,
      561, 799, 599));
  gdImageDestroy(im);
  // The axis value at the line, with three-digit exponents: 250 at the middle.
  im = blank_image();
  x_axis(im, 1, 499, false, 2);
  EXPECT_TRUE(labels_match(im, {{font6x12, 420 - 24, 566, "2.5e+002"}}, 0, 561, 799, 599));
  gdImageDestroy(im);
}

TEST(DrawAxes, BareWithoutACountAboveOneOrWithOneFinerThanAPixel) {
  for (int n : {-1, 0, 1, 721, 2147483647, -2147483647 - 1}) {
    gdImagePtr im = blank_image();
    x_axis(im, 1, 10, false, n);
    y_axis(im, 1, 10, false, n);
    EXPECT_TRUE(labels_match(im, {}, 0, 0, 799, 599)) << n;
    gdImageDestroy(im);
  }
  gdImagePtr im = blank_image();
  x_axis(im, 1, 10, false, 720);  // one pixel apart: drawn
  EXPECT_EQ(719u, grid_columns(im).size());
  gdImageDestroy(im);
}

TEST(DrawYAxis, DecadeLinesAndLabels) {
  const struct {
    double y_min, y_max;
    std::set<int> rows;
    std::vector<Label> labels;
  } cases[] = {
      {0.45,
       300,
       {560, 498, 321, 144},
       {{font6x12, 50, 492, "1"}, {font6x12, 44, 315, "10"}, {font6x12, 38, 138, "100"}}},
      {0.001,
       0.5,
       {560, 374, 189, 59},  // the clamped last line lies on row 59
       {{font6x12, 34, 554, "10"},
        {font5x8, 46, 550, "-3"},
        {font6x12, 34, 368, "10"},
        {font5x8, 46, 364, "-2"},
        {font6x12, 34, 183, "10"},
        {font5x8, 46, 179, "-1"}}},
      {2, 50, {}, {{font6x12, 44, 0, "10"}}},
  };
  for (const auto& c : cases) {
    gdImagePtr im = blank_image();
    y_axis(im, c.y_min, c.y_max, true, -1);
    std::set<int> rows = grid_rows(im);
    if (!c.rows.empty()) {
      EXPECT_EQ(c.rows, rows) << c.y_min;
      EXPECT_TRUE(labels_match(im, c.labels, 0, 0, 59, 599)) << c.y_min;
    } else {
      ASSERT_EQ(3u, rows.size());  // ends unlabelled, 10 labelled on its line
      int row10 = *std::next(rows.begin());
      EXPECT_TRUE(labels_match(im, {{font6x12, 44, row10 - 6, "10"}}, 0, 0, 59, 599));
    }
    gdImageDestroy(im);
  }
}

TEST(DrawYAxis, SubdivisionsAndLinearGrid) {
  gdImagePtr im = blank_image();
  y_axis(im, 0.45, 300, true, 10);
  EXPECT_TRUE(contains(grid_rows(im), {551, 537, 526, 515, 506, 498, 445, 414, 391, 374, 360, 348,
                                       338, 329, 321, 268, 237, 214, 197, 183, 171, 161, 152}));
  gdImageDestroy(im);

  im = blank_image();
  y_axis(im, 0.5, 1.5, false, 5);
  EXPECT_EQ((std::set<int>{160, 260, 360, 460}), grid_rows(im));
  EXPECT_TRUE(labels_match(im,
                           {{font6x12, 20, 454, "   0.7"},
                            {font6x12, 20, 354, "   0.9"},
                            {font6x12, 20, 254, "   1.1"},
                            {font6x12, 20, 154, "   1.3"}},
                           0, 0, 59, 599));
  gdImageDestroy(im);
}

TEST(DrawAxes, HugeCountsAndWideRangesEndQuickly) {
  // Each would take hours step by step; the picture stays what the steps draw.
  for (int n : {2147483647, 1000000000}) {
    gdImagePtr im = blank_image();
    x_axis(im, 1e-300, 1e-2, true, n);
    y_axis(im, 1e-300, 1e-2, true, n);
    x_axis(im, 0.001, 20, true, n);
    EXPECT_GT(grid_columns(im).size(), 700u);
    EXPECT_GT(grid_rows(im).size(), 490u);
    gdImageDestroy(im);
  }
  gdImagePtr im = blank_image();
  x_axis(im, 1e-250, 1e250, true, 10);  // too wide: nothing
  y_axis(im, 5, 5, true, 10);           // no span: nothing
  EXPECT_TRUE(labels_match(im, {}, 0, 0, 799, 599));
  gdImageDestroy(im);
}

TEST(VisitDistinct, SameValuesAsEveryStep) {
  std::mt19937 rng(11);
  for (int round = 0; round < 300; ++round) {
    int last = 1 + rng() % 400;
    std::vector<int64_t> key(last + 1);
    int64_t v = static_cast<int64_t>(rng() % 60) - 40;
    for (int j = 1; j <= last; ++j) key[j] = v += (rng() % 4 == 0) ? rng() % 5 : 0;
    int64_t low = static_cast<int64_t>(rng() % 20) - 10, high = low + 1 + rng() % 50;
    std::vector<int64_t> every, visited;
    for (int j = 1; j <= last; ++j) {
      if (key[j] > low && key[j] < high && (every.empty() || every.back() != key[j])) {
        every.push_back(key[j]);
      }
    }
    visit_distinct(
        last, low, high, [&](int64_t j) { return key[j]; },
        [&](int64_t c) { visited.push_back(c); });
    EXPECT_EQ(every, visited) << round;
  }
}

// The lines a log grid draws, walked step by step as the loops are written:
// the decade lines, then every subdivision strictly inside the area.
std::set<int> every_step_positions(double lo, double hi, int n, int span, bool rows) {
  std::set<int> out;
  double r = std::log10(hi / lo), l = std::log10(lo);
  auto at = [&](double v) {
    double along = (std::log10(v) - l) * span / r;
    return rows ? 560.0 - along : along + 60.0;
  };
  for (int k = 0; k < r + 1.0; ++k) {
    double f = std::floor(l + k), d = std::pow(10.0, f);
    double m = lo > d ? lo : d, c = hi < m ? hi : m;
    out.insert(static_cast<int>(at(c)));
    if (n <= 1 || d < lo) continue;
    for (int j = 1; j <= n - 1; ++j) {
      int p = static_cast<int>(at(j * d / n));
      if (p > 60 && p < (rows ? 560 : 780)) out.insert(p);
    }
  }
  return out;
}

TEST(DrawAxes, SkippingStepsDrawsWhatEveryStepDraws) {
  std::mt19937 rng(17);
  std::uniform_real_distribution<double> unit(0, 1);
  const int counts[] = {2, 3, 5, 7, 10, 11, 13, 29, 40, 97, 1000, 4567};
  for (int round = 0; round < 120; ++round) {
    double lo = std::pow(10.0, unit(rng) * 8 - 5);
    double hi = lo * std::pow(10.0, 0.05 + unit(rng) * (round % 3 ? 4 : 12));
    int n = counts[round % 12];
    gdImagePtr im = blank_image();
    x_axis(im, lo, hi, true, n);
    EXPECT_EQ(every_step_positions(lo, hi, n, 720, false), grid_columns(im)) << lo << " " << hi;
    gdImageDestroy(im);
    im = blank_image();
    y_axis(im, lo, hi, true, n);
    EXPECT_EQ(every_step_positions(lo, hi, n, 500, true), grid_rows(im)) << lo << " " << hi;
    gdImageDestroy(im);
  }
}

}  // namespace
