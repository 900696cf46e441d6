// -fit and -phase as a batch script meets them: status, output, and what the
// picture shows: labelled lines on every axis, the curve off the frame, the
// phase curve where the file's phases put it.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "support/gif_reader.h"
#include "support/test_files.h"

namespace {

constexpr int red = 2;
constexpr int black = 1;
constexpr int blue = 3;

// The 800 x 600 picture: one area over rows 60 ... 560, or with the phase
// the amplitude over rows 60 ... 350 and the phase over 366 ... 560.
constexpr int area_top = 60;
constexpr int area_left = 60;
constexpr int area_right = 780;
constexpr int area_bottom = 560;
constexpr int amplitude_bottom_with_phase = 350;
constexpr int phase_top = 366;

// Runs of inked rows (or columns) in the box, split where `gap` blank ones
// lie between: one run per label.
int ink_runs(const DecodedImage& im, int x0, int y0, int x1, int y1, bool along_rows, int gap) {
  int runs = 0, blank = gap;
  int from = along_rows ? y0 : x0, to = along_rows ? y1 : x1;
  for (int i = from; i <= to; ++i) {
    bool ink = false;
    for (int j = along_rows ? x0 : y0; j <= (along_rows ? x1 : y1); ++j) {
      ink = ink || pixel(im, along_rows ? j : i, along_rows ? i : j) == black;
    }
    if (ink && blank >= gap) ++runs;
    blank = ink ? 0 : blank + 1;
  }
  return runs;
}

// The first and last row holding a pixel of the curve colour between rows
// top and bottom.
std::pair<int, int> curve_rows(const DecodedImage& im, int colour, int top, int bottom) {
  std::pair<int, int> rows{-1, -1};
  for (int y = top; y <= bottom; ++y) {
    for (int x = area_left; x <= area_right; ++x) {
      if (pixel(im, x, y) != colour) continue;
      if (rows.first < 0) rows.first = y;
      rows.second = y;
    }
  }
  return rows;
}

// A geophone's flat band: 28.8 to 29.97 over 10 ... 1000 Hz.
std::string geophone() {
  std::string text;
  for (int i = 0; i <= 200; ++i) {
    double f = 10 * std::pow(100.0, i / 200.0);
    char line[80];
    snprintf(line, sizeof line, "%.6E  %.6E  %.6E\n", f, 28.8 + 1.17 * (10 / f) * (10 / f),
             90 * (10 / f));
    text += line;
  }
  return text;
}

TEST(FitAndPhase, WhatThePictureShows) {
  TempDir dir;
  write_file(dir.path("geophone.txt"), geophone());
  write_file(dir.path("flat.txt"), "1 5\n2 5\n");
  write_file(dir.path("db.txt"), "1 -3\n10 -20\n100 -40\n");
  write_file(dir.path("phase45.txt"), "1 1 -45\n10 2 -45\n");
  write_file(dir.path("wrapped.txt"), "1 1 170\n10 2 -170\n");
  write_file(dir.path("nophase.txt"), "1 1\n10 2\n");
  write_file(dir.path("phase100.txt"), "1 1.5 -100\n10 1.5 -100\n");
  write_file(dir.path("high.txt"), "100 3\n1000 4\n");
  write_file(dir.path("huge.txt"), "1 -1e308\n2 1e308\n");
  const struct {
    const char* name;
    std::string in;
    std::vector<std::string> args;
    int status;
    std::string out;
    int y_labels;                        // at least, left of the amplitude area
    int x_labels;                        // at least, below the lowest area
    std::pair<int, int> curve;           // rows of the amplitude curve; -1: not checked
    std::pair<int, int> phase;           // rows of the phase curve; -2: no phase panel
    const char* in2 = "";                // IN2=, drawn in blue and kept off the frame too
    std::pair<int, int> phase2{-1, -1};  // rows of IN2='s phase curve; -1: not checked
  } cases[] = {
      {"geophone", "geophone.txt", {"-fit"}, 0, "", 3, 3, {-1, -1}, {-2, -2}},
      {"geophone, linear", "geophone.txt", {"/FIT", "-linY"}, 0, "", 4, 3, {-1, -1}, {-2, -2}},
      {"flat, linear", "flat.txt", {"-fit", "-linY"}, 0, "", 3, 2, {310, 310}, {-2, -2}},
      {"flat, log", "flat.txt", {"-Fit"}, 0, "", 3, 2, {-1, -1}, {-2, -2}},
      {"dB", "db.txt", {"-fit", "/linY"}, 0, "", 4, 3, {-1, -1}, {-2, -2}},
      {"dB on log",
       "db.txt",
       {"-fit"},
       252,
       "draw_gif(): Max (or Min) amplitude <= 0\n",
       0,
       0,
       {-1, -1},
       {-2, -2}},
      {"dB without -fit",
       "db.txt",
       {"-linY"},
       252,
       "draw_gif(): Max (or Min) amplitude <= 0\n",
       0,
       0,
       {-1, -1},
       {-2, -2}},
      // A span beyond the double range gets no axis, but a message.
      {"span beyond the doubles",
       "huge.txt",
       {"-fit", "-linY"},
       252,
       "draw_gif()-> create_graphics_vector(): Incorrect Y-axis values for Line-scale\n",
       0,
       0,
       {-1, -1},
       {-2, -2}},
      {"constant phase", "phase45.txt", {"-fit", "-phase"}, 0, "", 2, 2, {-1, -1}, {463, 463}},
      // A fitted phase axis keeps a margin: no phase lies on the frame.
      {"wrapped phase", "wrapped.txt", {"-fit", "-phase"}, 0, "", 2, 2, {-1, -1}, {376, 549}},
      {"unwrapped phase",
       "wrapped.txt",
       {"-fit", "-phase", "/unwrap"},
       0,
       "",
       2,
       2,
       {-1, -1},
       {442, 483}},
      {"no phase in the file", "nophase.txt", {"-phase"}, 0, "", 0, 0, {-3, -3}, {-1, -1}},
      // Both files' phases set the phase range, each curve in its colour.
      {"two phases",
       "phase45.txt",
       {"-fit", "-phase"},
       0,
       "",
       2,
       2,
       {-1, -1},
       {371, 371},
       "phase100.txt",
       {483, 483}},
      // 1 ... 10 Hz and 100 ... 1000 Hz: four decades labelled, both curves
      // inside the amplitude area.
      {"range of two files", "nophase.txt", {"-fit"}, 0, "", 2, 4, {-1, -1}, {-2, -2}, "high.txt"},
  };
  for (const auto& c : cases) {
    std::string out = dir.path(std::string(c.name) + ".gif");
    std::vector<std::string> args{"IN=" + dir.path(c.in), "OUT=" + out};
    if (c.in2[0] != '\0') args.push_back("IN2=" + dir.path(c.in2));
    args.insert(args.end(), c.args.begin(), c.args.end());
    RunResult r = run_afcdraw(args);
    EXPECT_EQ(c.status, r.status) << c.name;
    EXPECT_EQ(c.out, r.out) << c.name;
    if (c.status != 0) continue;
    DecodedImage im = decode_gif(read_file(out));
    ASSERT_TRUE(im) << c.name;
    bool phase = c.phase.first != -2;
    int bottom = phase ? amplitude_bottom_with_phase : area_bottom;
    EXPECT_LE(c.y_labels, ink_runs(im, 20, area_top - 8, area_left - 3, bottom + 6, true, 1))
        << c.name;
    EXPECT_LE(c.x_labels, ink_runs(im, 40, area_bottom + 3, 799, area_bottom + 18, false, 4))
        << c.name;
    // The curve keeps off the frame at both ends of the amplitude axis.
    std::pair<int, int> rows = curve_rows(im, red, area_top, bottom);
    if (c.curve.first != -3) {
      EXPECT_LT(area_top + 3, rows.first) << c.name;
      EXPECT_GT(bottom - 3, rows.second) << c.name;
    }
    if (c.in2[0] != '\0') {
      std::pair<int, int> second = curve_rows(im, blue, area_top, bottom);
      EXPECT_LT(area_top + 3, second.first) << c.name;
      EXPECT_GT(bottom - 3, second.second) << c.name;
    }
    if (c.curve.first >= 0) {
      EXPECT_EQ(c.curve, rows) << c.name;
    }
    if (phase) {
      EXPECT_EQ(black, pixel(im, 400, amplitude_bottom_with_phase + 2)) << c.name;
      EXPECT_EQ(black, pixel(im, 400, phase_top - 2)) << c.name;
      EXPECT_EQ(c.phase, curve_rows(im, red, phase_top, area_bottom)) << c.name;
      if (c.phase2.first != -1) {
        EXPECT_EQ(c.phase2, curve_rows(im, blue, phase_top, area_bottom)) << c.name;
      }
    }
  }
}

// Near misses of the switches change nothing; the switches in any case are
// the same switch.
TEST(FitAndPhase, OnlyWholeSwitchesCount) {
  TempDir dir;
  write_file(dir.path("geophone.txt"), geophone());
  auto draw = [&](std::vector<std::string> extra) {
    std::vector<std::string> args{"IN=" + dir.path("geophone.txt"), "OUT=" + dir.path("a.gif"),
                                  "X_AXIS=1;1000"};
    args.insert(args.end(), extra.begin(), extra.end());
    EXPECT_EQ(0, run_afcdraw(args).status);
    return read_file(dir.path("a.gif"));
  };
  std::string plain = draw({});
  EXPECT_EQ(plain, draw({"-fitx", "fit", "-phase2", "unwrap", "DIMP"}));
  std::string fitted = draw({"-fit", "-phase"});
  EXPECT_NE(plain, fitted);
  EXPECT_EQ(fitted, draw({"/FIT", "/pHaSe"}));
}

}  // namespace
