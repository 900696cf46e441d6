#include "layout/legend_corner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/gif_reader.h"
#include "support/test_files.h"

namespace {

// Boxes 50 by 40 in the corners of a 400 by 300 area.
CornerWeights corners() {
  CornerWeights w;
  w.boxes[corner_index(LegendCorner::top_right)] = {340, 10, 390, 50};
  w.boxes[corner_index(LegendCorner::top_left)] = {10, 10, 60, 50};
  w.boxes[corner_index(LegendCorner::bottom_right)] = {340, 250, 390, 290};
  w.boxes[corner_index(LegendCorner::bottom_left)] = {10, 250, 60, 290};
  return w;
}

struct Segment {
  double x0, y0, x1, y1;
};
struct Point {
  double x, y;
  double reach = lone_point_arm;  // its cross's, line width included
};

TEST(LegendCorner, LengthUnderEachCornerAndLonePointsDecide) {
  const struct {
    std::vector<Segment> segments;
    std::vector<Point> lone;
    LegendCorner corner;
  } cases[] = {
      {{}, {}, LegendCorner::top_right},                   // nothing: as before
      {{{0, 30, 400, 30}}, {}, LegendCorner::top_right},   // alike: as before
      {{{300, 20, 400, 20}}, {}, LegendCorner::top_left},  // 50 right, none left
      {{{0, 20, 100, 20}}, {}, LegendCorner::top_right},   // 50 left
      // One long line weighs more than short steps: 30 to the left, two
      // steps of 0.1 to the right.
      {{{20, 20, 20, 60}, {350, 20, 350.1, 20}, {350.1, 20, 350.2, 20}},
       {},
       LegendCorner::top_right},
      // A segment crossing a box only partly counts its part: 10 right, 20 left.
      {{{380, 0, 380, 20}, {40, 30, 80, 30}}, {}, LegendCorner::top_right},
      // A curve passing just below the right box, clear of both: the left.
      {{{300, 53, 400, 53}}, {}, LegendCorner::top_left},
      {{{300, 60, 400, 60}}, {}, LegendCorner::top_right},        // far enough below
      {{{0, 20, 100, 20}}, {{360, 30}}, LegendCorner::top_left},  // never over a lone point
      {{{0, 20, 100, 20}}, {{393, 53}}, LegendCorner::top_left},  // its cross reaches the box
      {{}, {{395, 30}}, LegendCorner::top_right},                 // beside the box
      {{}, {{398, 30, 9}}, LegendCorner::top_left},  // beside, but its wide strokes reach it
      {{}, {{360, 30}, {30, 30}}, LegendCorner::bottom_right},  // both top ones covered
      {{{300, 270, 400, 270}}, {{360, 30}, {30, 30}}, LegendCorner::bottom_left},
      {{}, {{360, 30}, {30, 30}, {360, 270}, {30, 270}, {31, 271}}, LegendCorner::top_right},
  };
  for (const auto& c : cases) {
    CornerWeights w = corners();
    for (const Segment& s : c.segments) weigh_segment(w, s.x0, s.y0, s.x1, s.y1);
    for (const Point& p : c.lone) weigh_lone_point(w, p.x, p.y, p.reach);
    EXPECT_EQ(c.corner, automatic_corner(w)) << &c - cases;
  }
}

// Where the legend's sample line of the blue curve (IN2=) lies: the first
// row with a horizontal run of blue longer than a curve draws here; -1
// when none.
int blue_sample_column(const DecodedImage& im) {
  constexpr int sample_run = 16;  // the samples are 22 and 24 long
  for (int y = 0; y < gdImageSY(im.get()); ++y) {
    int run = 0;
    for (int x = 0; x < gdImageSX(im.get()); ++x) {
      int c = pixel(im, x, y);
      bool blue = gdImageBlue(im.get(), c) >= 160 && gdImageRed(im.get(), c) <= 100 &&
                  gdImageGreen(im.get(), c) <= 100;
      run = blue ? run + 1 : 0;
      if (run == sample_run) return x;
    }
  }
  return -1;
}

// In both styles: a red line under the top left corner, and in the top
// right one a lone blue point, or a short tangle of blue points (many
// vertices, little length).
TEST(LegendCorner, BothStylesWeighLengthAndKeepOffLonePoints) {
  TempDir dir;
  write_file(dir.path("line.txt"), "1 70\n3 70\n10 1.5\n100 1.5\n");
  write_file(dir.path("lone.txt"), "80 70\n");
  write_file(dir.path("tangle.txt"), "79 70\n79.5 71\n80 70\n80.5 71\n81 70\n");
  const struct {
    const char* in2;
    bool at_left;
  } cases[] = {{"lone.txt", true}, {"tangle.txt", false}};
  for (const auto& c : cases) {
    for (const char* style : {"-fit", "-report"}) {
      std::string out = dir.path("o.png");
      RunResult r =
          run_afcdraw({"IN=" + dir.path("line.txt"), "IN2=" + dir.path(c.in2), "OUT=" + out,
                       "FORMAT=PNG", "X_AXIS=1;100", "Y_AXIS=1;100", "NAME=a", "NAME2=b", style});
      ASSERT_EQ(0, r.status) << r.out << r.err;
      DecodedImage im = decode_png(read_file(out));
      ASSERT_TRUE(im);
      int column = blue_sample_column(im);
      ASSERT_GE(column, 0) << c.in2 << " " << style;
      EXPECT_EQ(c.at_left, column < gdImageSX(im.get()) / 2) << c.in2 << " " << style;
    }
  }
}

}  // namespace
