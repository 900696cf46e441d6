#include "draw/draw_picture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "core/last_error.h"
#include "support/gif_reader.h"
#include "support/test_files.h"

namespace {

enum Colour { white, black, red, blue, light_grey, pale_blue };

// The options of a picture of one response without -fit or -phase.
PlotOptions options(int size_x = 800, int size_y = 600, const char* caption = "",
                    const char* dim_x = "", const char* dim_y = "", double x_min = 0.001,
                    bool log_y = true) {
  PlotOptions o{};
  o.x_min = x_min;
  o.x_max = 20;
  o.log_x = true;
  o.log_y = log_y;
  o.size_x = size_x;
  o.size_y = size_y;
  o.sub_grid_x = o.sub_grid_y = -1;
  snprintf(o.caption, sizeof o.caption, "%s", caption);
  snprintf(o.dim_x, sizeof o.dim_x, "%s", dim_x);
  snprintf(o.dim_y, sizeof o.dim_y, "%s", dim_y);
  return o;
}

CurveList one_curve(PointList points) {
  CurveList curves;
  curves.push_back({std::move(points), {}, input_keys[0].color, 0, {}, {}, {}});
  return curves;
}

struct Drawn {
  int result;
  DecodedImage image{nullptr, gdImageDestroy};
};

// The picture as the run plans and draws it, without a file.
Drawn draw(PointList points, int size_x = 800, int size_y = 600, const char* caption = "",
           const char* dim_x = "", const char* dim_y = "") {
  PlotOptions o = options(size_x, size_y, caption, dim_x, dim_y);
  CurveList curves = one_curve(std::move(points));
  PicturePlan plan;
  Drawn d;
  d.result = plan_picture(curves, o, plan);
  Picture picture;
  if (d.result == 0) d.result = draw_picture(plan, std::move(curves), {}, o, picture);
  if (d.result == 0) d.image.reset(picture.release());
  return d;
}

// The smallest box holding every pixel of `colour` inside the given box.
struct Box {
  int x0 = 1 << 30, y0 = 1 << 30, x1 = -1, y1 = -1;
  bool operator==(const Box&) const = default;
};
Box ink_box(const DecodedImage& im, int colour, int x0, int y0, int x1, int y1) {
  Box b;
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) {
      if (pixel(im, x, y) != colour) continue;
      b.x0 = std::min(b.x0, x), b.y0 = std::min(b.y0, y);
      b.x1 = std::max(b.x1, x), b.y1 = std::max(b.y1, y);
    }
  }
  return b;
}

bool inside(const Box& ink, const Box& cells) {
  return ink.x0 >= cells.x0 && ink.y0 >= cells.y0 && ink.x1 <= cells.x1 && ink.y1 <= cells.y1;
}

TEST(DrawPicture, PaletteCanvasAndFrame) {
  for (auto [w, h] : {std::pair{800, 600}, std::pair{640, 480}, std::pair{1031, 777}}) {
    Drawn p = draw({{0.001, 1}, {20, 10}}, w, h);
    ASSERT_EQ(0, p.result);
    gdImagePtr im = p.image.get();
    ASSERT_EQ(w, gdImageSX(im));
    ASSERT_EQ(h, gdImageSY(im));
    const int palette[][3] = {{255, 255, 255}, {0, 0, 0},       {255, 0, 0},
                              {0, 0, 255},     {230, 230, 230}, {230, 230, 255}};
    for (int i = 0; i < 6; ++i) {
      EXPECT_EQ(palette[i][0], gdImageRed(im, i));
      EXPECT_EQ(palette[i][1], gdImageGreen(im, i));
      EXPECT_EQ(palette[i][2], gdImageBlue(im, i));
    }
    EXPECT_EQ(-1, gdImageGetTransparent(im));
    EXPECT_EQ(0, gdImageGetInterlaced(im));
    // Background, two frame rectangles, plot area.
    EXPECT_EQ(pale_blue, pixel(p.image, 0, 0));
    EXPECT_EQ(pale_blue, pixel(p.image, 57, 300));
    EXPECT_EQ(pale_blue, pixel(p.image, w - 17, h - 37));
    for (int d : {0, 1}) {
      EXPECT_EQ(black, pixel(p.image, 59 - d, 59 - d));
      EXPECT_EQ(black, pixel(p.image, w - 19 + d, h - 39 + d));
      EXPECT_EQ(black, pixel(p.image, 300, 59 - d));
      EXPECT_EQ(black, pixel(p.image, w - 19 + d, 300));
    }
    EXPECT_EQ(light_grey, pixel(p.image, 100, 100));
    // The curve ends where the mapping puts the points.
    EXPECT_EQ(red, pixel(p.image, 60, h - 40));
    Box curve = ink_box(p.image, red, 0, 0, w, h);
    EXPECT_EQ(60, curve.x0);
    EXPECT_EQ(h - 40, curve.y1);
    EXPECT_GE(curve.x1, w - 21);
    EXPECT_LE(curve.y0, 60);
  }
}

TEST(DrawPicture, TitlesAreCentredOnTheirCells) {
  Drawn p = draw({{0.01, 1}, {10, 10}}, 800, 600, "Capt", "Freqs", "Amplt");
  ASSERT_EQ(0, p.result);
  // Caption at (382, 10) in 9x16 cells, X name at (380, 580) and the upright
  // Y name ending at (10, 320) in 8x16 cells.
  Box caption = ink_box(p.image, black, 60, 0, 799, 50);
  EXPECT_TRUE(inside(caption, {382, 10, 382 + 4 * 9 - 1, 25}));
  EXPECT_LT(caption.x0, 382 + 9);
  EXPECT_GT(caption.x1, 382 + 3 * 9);
  Box dim_x = ink_box(p.image, black, 0, 575, 799, 599);
  EXPECT_TRUE(inside(dim_x, {380, 580, 380 + 5 * 8 - 1, 595}));
  EXPECT_GT(dim_x.x1, 380 + 4 * 8);
  Box dim_y = ink_box(p.image, black, 0, 0, 30, 599);
  EXPECT_TRUE(inside(dim_y, {10, 320 - 5 * 8 + 1, 25, 320}));
  EXPECT_LT(dim_y.y0, 320 - 4 * 8);
}

TEST(DrawPicture, TextWiderThanTheImageStartsLeftOfIt) {
  std::string wide(100, 'W');  // 800 pixels on a 641-wide image start at x = -80
  Drawn p = draw({{0.01, 1}, {10, 10}}, 641, 480, "", wide.c_str());
  ASSERT_EQ(0, p.result);
  Box dim_x = ink_box(p.image, black, 0, 455, 640, 479);
  EXPECT_TRUE(inside(dim_x, {0, 460, 640, 475}));
  EXPECT_LE(dim_x.x0, 2);
  EXPECT_GE(dim_x.x1, 637);
}

TEST(PlanPicture, RefusesRangesBeforeAnyPixel) {
  const char* y_log =
      "draw_gif()-> create_graphics_vector(): Incorrect Y-axis values for Log10-scale";
  const char* y_lin =
      "draw_gif()-> create_graphics_vector(): Incorrect Y-axis values for Line-scale";
  const struct {
    PointList points;
    double x_min;
    bool log_y;
    int result;
    const char* message;
  } cases[] = {
      {{{1, 2}, {2, 0}}, 0.5, true, -1, "draw_gif(): Max (or Min) amplitude <= 0"},
      {{{1, 2}, {2, 0}}, 0.5, false, -1, "draw_gif(): Max (or Min) amplitude <= 0"},
      {{{1, -5}, {10, 3}, {12, 4}}, 8, true, -1, "draw_gif(): Max (or Min) amplitude <= 0"},
      {{{1, 5}, {10, 7}, {5, 2}}, 8, true, -2, y_log},
      {{{1, 5}, {10, 7}, {5, 2}}, 8, false, -2, y_lin},
      {{{10, 5}}, 8, true, -2, y_log},
  };
  for (const auto& c : cases) {
    PicturePlan plan;
    EXPECT_EQ(c.result, plan_picture(one_curve(c.points),
                                     options(800, 600, "", "", "", c.x_min, c.log_y), plan));
    EXPECT_EQ(c.message, last_error);
  }
}

}  // namespace
