// The report's tick marks, as a reader sees them: short dark strokes just
// outside the frame, left of it and below it, where nothing else is drawn.

#include <gtest/gtest.h>

#include <string>

#include "support/gif_reader.h"
#include "support/test_files.h"

namespace {

const std::string geophone = "IN=" AFCDRAW_EXAMPLES "/geophone_1hz.txt";

// Not white: a one-unit line on a pixel edge greys two rows half.
bool dark(const DecodedImage& im, int x, int y) {
  constexpr int white_enough = 200;
  int c = gdImageGetPixel(im.get(), x, y);
  return gdImageGreen(im.get(), c) < white_enough;
}

// The frame's left column: the first with a dark run through the rows
// around `row`, which no text makes.
int frame_left(const DecodedImage& im, int row) {
  constexpr int run = 40;
  for (int x = 0; x < gdImageSX(im.get()); ++x) {
    bool through = true;
    for (int y = row - run; y <= row + run && through; ++y) through = dark(im, x, y);
    if (through) return x;
  }
  return -1;
}

// How many separate dark runs a column (or, `across`, a row) holds.
int dark_runs(const DecodedImage& im, int at, bool across) {
  int runs = 0, length = across ? gdImageSX(im.get()) : gdImageSY(im.get());
  bool before = false;
  for (int i = 0; i < length; ++i) {
    bool now = across ? dark(im, i, at) : dark(im, at, i);
    runs += now && !before;
    before = now;
  }
  return runs;
}

TEST(ReportAxes, TicksStandOutsideEveryPanelsFrame) {
  constexpr int outside = 2;  // pixels beyond the frame, inside a minor tick's 3
  const struct {
    std::string panels;
    int least_left;  // tick marks left of the frames: majors and minors
  } cases[] = {{"-report", 12}, {"-phase", 20}};
  for (const auto& c : cases) {
    TempDir dir;
    std::string out = dir.path("a.png");
    ASSERT_EQ(0,
              run_afcdraw({geophone, "OUT=" + out, "-report", c.panels, "X_AXIS=0.1;100"}).status);
    DecodedImage im = decode_png(read_file(out));
    ASSERT_TRUE(im);
    int left = frame_left(im, gdImageSY(im.get()) / 4);
    ASSERT_GT(left, outside) << c.panels;
    EXPECT_GE(dark_runs(im, left - outside, false), c.least_left) << c.panels;
    // Below: the bottom frame's row, found up the middle column.
    int middle = gdImageSX(im.get()) / 2, bottom = gdImageSY(im.get()) - 1;
    while (bottom > 0 && !(dark(im, middle - 30, bottom) && dark(im, middle + 30, bottom))) {
      --bottom;
    }
    EXPECT_GE(dark_runs(im, bottom + outside, true), 12) << c.panels;
  }
}

}  // namespace
