// Pictures with the fitted options (-fit, Y_AXIS=, P_AXIS=, LEGEND=): what
// each promises, checked on the picture a run writes.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "support/gif_reader.h"
#include "support/test_files.h"

namespace {

enum Colour { white, black, red, blue, light_grey, pale_blue };
constexpr int left = 60, top = 60, right = 780, bottom = 560;  // the 800 x 600 plot area

// The column of frequency f on a log10 axis from lo to hi.
int column(double f, double lo, double hi) {
  return static_cast<int>(std::log10(f / lo) / std::log10(hi / lo) * (right - left) + left);
}

bool any_in_column(const DecodedImage& im, int colour, int x, int y0, int y1) {
  for (int y = y0; y <= y1; ++y) {
    if (pixel(im, x, y) == colour) return true;
  }
  return false;
}

bool any_in_row(const DecodedImage& im, int colour, int y, int x0, int x1) {
  for (int x = x0; x <= x1; ++x) {
    if (pixel(im, x, y) == colour) return true;
  }
  return false;
}

// Rows from y0 to y1 holding `colour` anywhere in the picture's width.
bool any_in_rows(const DecodedImage& im, int colour, int y0, int y1) {
  for (int y = y0; y <= y1; ++y) {
    if (any_in_row(im, colour, y, 0, 799)) return true;
  }
  return false;
}

struct Case {
  const char* name;
  std::vector<std::string> args;  // after IN= and OUT=
  std::function<bool(const DecodedImage&)> holds;
};

TEST(FittedPicture, WhatEachOptionPromises) {
  TempDir dir;
  write_file(dir.path("three.txt"), "1 1 0\n10 10 180\n100 1 90\n");
  write_file(dir.path("down.txt"), "100 1\n10 10\n1 1\n");
  write_file(dir.path("huge_phase.txt"), "1 1 -1e308\n2 2 1e308\n");
  write_file(dir.path("lone.txt"), "5 3\n");
  write_file(dir.path("lone_top.txt"), "1 10\n");
  write_file(dir.path("steep.txt"), "5000 3e17\n2 10\n");
  std::string sine;
  for (int i = 0; i < 200; ++i) {
    sine += std::to_string(0.1 * std::pow(10, 3.0 * i / 200)) + " " +
            std::to_string(29 + 0.5 * std::sin(i / 10.0)) + "\n";
  }
  write_file(dir.path("sine.txt"), sine);
  const std::string in2 = "IN2=" + dir.path("down.txt");
  const Case cases[] = {
      // Points at 1, 10 and 100 Hz, the range 5 ... 50 Hz: no point of the
      // first two segments' ends lies inside, yet the curve crosses the plot.
      {"segments cut at the frame",
       {"X_AXIS=5;50", "-fit"},
       [](const DecodedImage& im) {
         return any_in_column(im, red, left, top, bottom) &&
                any_in_column(im, red, right, top, bottom);
       }},
      {"a given amplitude range cuts at the frame as well",
       {"X_AXIS=5;50", "Y_AXIS=1;20"},
       [](const DecodedImage& im) { return any_in_column(im, red, left, top, bottom); }},
      {"a given range clips the curve at the frame",
       {"Y_AXIS=2;5"},
       [](const DecodedImage& im) {
         return any_in_row(im, red, top, left, right) && any_in_row(im, red, bottom, left, right) &&
                !any_in_rows(im, red, 0, top - 1) && !any_in_rows(im, red, bottom + 1, 599);
       }},
      {"descending frequencies are drawn",
       {in2, "-fit"},
       [](const DecodedImage& im) { return any_in_rows(im, blue, top, bottom); }},
      {"the sub-grid fills the decade above the last line",
       {"X_AXIS=0.5;50", "SUB_GRID=10", "-fit"},
       [](const DecodedImage& im) {
         for (int f : {20, 30, 40}) {
           int x = column(f, 0.5, 50);
           if (!any_in_column(im, black, x, top + 1, bottom - 1)) return false;
         }
         return true;
       }},
      {"a legend in the bottom left corner keeps its samples",
       {in2, "LEGEND=BL", "NAME=" + std::string(120, 'n'), "NAME2=down"},
       [](const DecodedImage& im) {
         // Rows of 16 + 2 pixels inside 6 of padding, 10 above the frame.
         return any_in_row(im, red, bottom - 42, left + 16, left + 39) &&
                any_in_row(im, blue, bottom - 24, left + 16, left + 39);
       }},
      {"a lone point gets a mark",
       {"-fit", "IN=" + dir.path("lone.txt")},
       [](const DecodedImage& im) { return any_in_rows(im, red, top, bottom); }},
      {"a lone point on the frame keeps its mark inside",
       {"Y_AXIS=1;10", "X_AXIS=0.1;10", "IN=" + dir.path("lone_top.txt")},
       [](const DecodedImage& im) {
         return any_in_rows(im, red, top, top + 3) && !any_in_rows(im, red, 0, top - 1);
       }},
      {"a steep segment from far outside ends on the frame",
       {"-linX", "-linY", "Y_AXIS=0.1;1000", "IN=" + dir.path("steep.txt")},
       [](const DecodedImage& im) {
         return any_in_row(im, red, top, left, right) && !any_in_rows(im, red, 0, top - 1);
       }},
      {"phases a panel cannot hold stay out of the picture",
       {"-phase", "IN=" + dir.path("huge_phase.txt")},
       [](const DecodedImage& im) { return !any_in_rows(im, red, 352, bottom); }},
      {"a given phase range: the curve inside its panel",
       {"-phase", "P_AXIS=0;90"},
       [](const DecodedImage& im) {
         return any_in_rows(im, red, 366, bottom) && !any_in_rows(im, red, 352, 365);
       }},
  };
  for (const Case& c : cases) {
    std::string out = dir.path("o.gif");
    std::vector<std::string> args{"IN=" + dir.path("three.txt"), "OUT=" + out};
    args.insert(args.end(), c.args.begin(), c.args.end());
    RunResult r = run_afcdraw(args);
    ASSERT_EQ(0, r.status) << c.name << r.out;
    DecodedImage im = decode_gif(read_file(out));
    ASSERT_TRUE(im) << c.name;
    EXPECT_TRUE(c.holds(im)) << c.name;
  }
}

TEST(FittedPicture, RangesThatCannotBeDrawnFail) {
  const struct {
    std::vector<std::string> args;
    std::string message;
  } cases[] = {
      {{"Y_AXIS=5;5"}, "parse_cmd(): Incorrect [Y_AXIS=] value\n"},
      {{"Y_AXIS=0;5"}, "parse_cmd(): Incorrect [Y_AXIS=] value\n"},
      {{"Y_AXIS=-1;5", "-linY"}, ""},
      {{"Y_AXIS=1e999;5"}, "parse_cmd(): Incorrect [Y_AXIS=] value\n"},
      {{"Y_AXIS=1e-300;1e300"}, "parse_cmd(): Incorrect [Y_AXIS=] value\n"},
      {{"Y_AXIS=1;1.0000000000000002", "-linY"}, "parse_cmd(): Incorrect [Y_AXIS=] value\n"},
      {{"P_AXIS=90;0"}, "parse_cmd(): Incorrect [P_AXIS=] value\n"},
      {{"LEGEND=middle"}, "parse_cmd(): Incorrect [LEGEND=] value\n"},
  };
  TempDir dir;
  write_file(dir.path("in.txt"), "1 1\n10 10\n");
  for (const auto& c : cases) {
    std::vector<std::string> args{"IN=" + dir.path("in.txt"), "OUT=" + dir.path("o.gif")};
    args.insert(args.end(), c.args.begin(), c.args.end());
    RunResult r = run_afcdraw(args);
    EXPECT_EQ(c.message.empty() ? 0 : 255, r.status) << c.args[0];
    EXPECT_EQ(0u, r.out.rfind(c.message, 0)) << c.args[0];
  }
}

}  // namespace
