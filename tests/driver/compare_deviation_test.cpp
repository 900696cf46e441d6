// -diff and TOL= as a calibration batch meets them: the verdict lines, the
// statuses a script acts on, and the deviation panel in the picture.

#include <gd.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/gif_reader.h"
#include "support/test_files.h"

namespace {

enum Colour { white, black, red, blue };

TEST(CompareDeviation, VerdictsAndStatuses) {
  TempDir dir;
  write_file(dir.path("nominal.txt"), "1 10 0\n10 10 -90\n100 10 -180\n");
  write_file(dir.path("close.txt"), "1 10.5 2\n5 10.2 -62\n100 10 -181\n");
  write_file(dir.path("far.txt"), "1 20 0\n100 20 -180\n");
  write_file(dir.path("apart.txt"), "1000 10\n5000 10\n");
  const std::string nominal = "IN=" + dir.path("nominal.txt");
  const std::string out = "OUT=" + dir.path("o.gif");
  const struct {
    std::vector<std::string> args;
    int status;
    std::string out;
  } cases[] = {
      {{"IN2=" + dir.path("close.txt"), "TOL=0.5"},
       0,
       "IN2: max deviation 0.424 dB at 1 Hz: within tolerance\n"},
      {{"IN2=" + dir.path("close.txt"), "TOL=0.5,1", "-phase"},
       1,
       "IN2: max deviation 0.424 dB at 1 Hz, 2 deg at 1 Hz: outside tolerance\n"},
      {{"IN2=" + dir.path("close.txt"), "IN3=" + dir.path("far.txt"), "TOL=1"},
       1,
       "IN2: max deviation 0.424 dB at 1 Hz: within tolerance\n"
       "IN3: max deviation 6.02 dB at 1 Hz: outside tolerance\n"},
      {{"IN2=" + dir.path("far.txt"), "-diff"}, 0, ""},  // a picture, no verdict
      {{"IN2=" + dir.path("apart.txt"), "-diff"},
       253,
       "draw_diff(): No frequency in common with the IN= response: IN2=" + dir.path("apart.txt") +
           "\n"},
      {{"IN2=" + dir.path("far.txt"), "TOL=0"}, 255, "parse_cmd(): Incorrect [TOL=] value\n"},
      {{"IN2=" + dir.path("far.txt"), "-diff", "D_AXIS=3;3"},
       255,
       "parse_cmd(): Incorrect [D_AXIS=] value\n"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args{nominal, out};
    args.insert(args.end(), c.args.begin(), c.args.end());
    RunResult r = run_afcdraw(args);
    EXPECT_EQ(c.status, r.status) << c.out;
    EXPECT_EQ(0u, r.out.rfind(c.out, 0)) << r.out.substr(0, 300);
  }
}

// 20 log10(2) = 6.02 dB in a panel of -8 ... 8 dB below the amplitude: the
// deviation lies 6.02 / 16 of the panel above its middle, the 0 dB line on it.
TEST(CompareDeviation, ThePanelBelowShowsTheDeviation) {
  TempDir dir;
  write_file(dir.path("nominal.txt"), "1 10\n100 10\n");
  write_file(dir.path("double.txt"), "1 20\n100 20\n");
  std::string out = dir.path("o.gif");
  RunResult r = run_afcdraw({"IN=" + dir.path("nominal.txt"), "IN2=" + dir.path("double.txt"),
                             "OUT=" + out, "-diff", "-fit", "D_AXIS=-8;8"});
  ASSERT_EQ(0, r.status) << r.out;
  DecodedImage im = decode_gif(read_file(out));
  ASSERT_TRUE(im);
  // The amplitude area ends three fifths down; the deviation area fills the rest.
  const int top = 60 + (500 - 16) * 3 / 5 + 16, bottom = 560;
  int row = -1;
  for (int y = top; y <= bottom; ++y) {
    if (pixel(im, 400, y) == blue) row = y;
  }
  double middle = (top + bottom) / 2.0, per_db = (bottom - top) / 16.0;
  EXPECT_NEAR(middle - 6.02 * per_db, row, 1.5);
  EXPECT_EQ(black, pixel(im, 400, static_cast<int>(middle)));  // the 0 dB line
}

// Each way a point used to be left out of the comparison while the verdict
// passed: now counted, named in the verdict line, and the run fails.
TEST(CompareDeviation, TheWaysEvidenceUsedToBeDroppedEachNowStatus1) {
  TempDir dir;
  write_file(dir.path("nominal.txt"), "1 10 0\n2 10 0\n3 10 0\n5 10 0\n10 10 0\n100 10 0\n");
  write_file(dir.path("gap.txt"), "1 10\n2 10\n5 0\n6 -2\n10 10\n100 10\n");
  write_file(dir.path("tiny.txt"), "1 1e-10\n3 1e300\n100 1e-10\n");  // NORM=1: 3 Hz overflows
  write_file(dir.path("wide.txt"), "0.5 10\n1 10\n100 10\n200 10\n");
  write_file(dir.path("holed.txt"), "1 10\n2 0\n3 10\n100 10\n");
  write_file(dir.path("inside.txt"), "1.5 10\n2.5 10\n");
  write_file(dir.path("phaseless.txt"), "1 10 0\n2 10\n3 10 0\n100 10 0\n");
  write_file(dir.path("unreadable.txt"), "1 10\n2 1e400\n3 -1\n100 10\n");  // never points
  write_file(dir.path("dead.txt"), "1 10\n2 -1\n3 10\n100 10\n");
  // As C's printf writes what is no number: never points either.
  write_file(dir.path("nan.txt"), "1 10\n2 nan\n3\t-NaN\n5 inf\n100 10\n");
  write_file(dir.path("nan_nominal.txt"), "1 10\n2 nan\n3 10\n100 10\n");
  write_file(dir.path("flat.pz"), "ZEROS 0\nPOLES 0\nCONSTANT 10\n");  // 10 everywhere
  // Converted from acceleration to displacement, 10 Hz leaves the double range.
  write_file(dir.path("overflow.txt"), "1 10\n10 1e305\n100 10\n");
  // Beyond the others' frequencies: -fit fits the range to the points drawn.
  write_file(dir.path("edge_zero.txt"), "1 10\n100 10\n200 0\n");
  write_file(dir.path("edge_nan.txt"), "1 10\n100 10\n200 nan\n");
  // A phase file's lines that give no phase: what lies around them would be invented.
  write_file(dir.path("phase_nan.txt"), "1 0\n2 nan\n3 0\n100 0\n");
  write_file(dir.path("phase_missing.txt"), "1 0\n2 0\n3 -1\n100 0\n");
  const struct {
    std::string in, in2;
    std::vector<std::string> args;
    std::string line;
  } cases[] = {
      {"nominal.txt",
       "gap.txt",
       {"TOL=0.5"},
       "IN2: max deviation 0 dB at 1 Hz, 2 points not judged (5\u20136 Hz: amplitude <= 0): "
       "not judged"},
      {"nominal.txt",
       "tiny.txt",
       {"TOL=0.5", "NORM=1"},
       "IN2: max deviation 0 dB at 1 Hz, 1 point not judged (3 Hz: amplitude not finite): not "
       "judged"},
      {"nominal.txt",
       "wide.txt",
       {"TOL=0.5"},
       "IN2: max deviation 0 dB at 1 Hz, 2 points not judged (0.5 Hz: outside the IN= "
       "frequencies; 200 Hz: outside the IN= frequencies): not judged"},
      {"holed.txt",
       "inside.txt",
       {"TOL=0.5"},
       "IN2: 2 points not judged (1.5\u20132.5 Hz: IN= amplitude <= 0 or not finite): not judged"},
      {"nominal.txt",
       "unreadable.txt",
       {"TOL=0.5"},
       "IN2: max deviation 0 dB at 1 Hz, 2 points not judged (2 Hz: amplitude not finite; 3 Hz: "
       "amplitude <= 0): not judged"},
      {"dead.txt",
       "inside.txt",
       {"TOL=0.5"},
       "IN2: 2 points not judged (1.5\u20132.5 Hz: IN= amplitude <= 0 or not finite): not judged"},
      {"nominal.txt",
       "phaseless.txt",
       {"TOL=0.5,5", "-phase"},
       "IN2: max deviation 0 dB at 1 Hz, 0 deg at 1 Hz, 1 point not judged (2 Hz: no phase): not "
       "judged"},
      {"nominal.txt",
       "nan.txt",
       {"TOL=0.5"},
       "IN2: max deviation 0 dB at 1 Hz, 3 points not judged (2\u20135 Hz: amplitude not finite): "
       "not judged"},
      {"nan_nominal.txt",
       "inside.txt",
       {"TOL=0.5"},
       "IN2: 2 points not judged (1.5\u20132.5 Hz: IN= amplitude <= 0 or not finite): not judged"},
      {"nominal.txt",
       "nominal.txt",
       {"TOL=0.5,5", "PHASE2=" + dir.path("phase_nan.txt")},
       "IN2: max deviation 0 dB at 1 Hz, 0 deg at 1 Hz, 1 point not judged (2 Hz: no phase): not "
       "judged"},
      {"nominal.txt",
       "nominal.txt",
       {"TOL=0.5,5", "PHASE2=" + dir.path("phase_missing.txt")},
       "IN2: max deviation 0 dB at 1 Hz, 0 deg at 1 Hz, 3 points not judged (3\u201310 Hz: no "
       "phase): not judged"},
      {"nan_nominal.txt",
       "flat.pz",
       {"TOL=0.5"},
       "IN2: max deviation 0 dB at 1 Hz, 1 point not judged (2 Hz: IN= amplitude <= 0 or not "
       "finite): not judged"},
      {"nominal.txt",
       "overflow.txt",
       {"TOL=0.5", "UNITS=ACC,DIS"},
       "IN2: max deviation 0 dB at 1 Hz, 1 point not judged (10 Hz: amplitude not finite): not "
       "judged"},
      {"nominal.txt",
       "edge_zero.txt",
       {"TOL=0.5", "-dB"},
       "IN2: max deviation 0 dB at 1 Hz, 1 point not judged (200 Hz: amplitude <= 0): not judged"},
      {"nominal.txt",
       "edge_nan.txt",
       {"TOL=0.5"},
       "IN2: max deviation 0 dB at 1 Hz, 1 point not judged (200 Hz: amplitude not finite): not "
       "judged"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args{"IN=" + dir.path(c.in), "IN2=" + dir.path(c.in2),
                                  "OUT=" + dir.path("o.gif"), "-fit", "-linY"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    RunResult r = run_afcdraw(args);
    EXPECT_EQ(1, r.status) << c.line;
    EXPECT_EQ(c.line + "\n", r.out);
  }
}

// No line joins the points either side of those not judged, in either
// style: between 3 and 10 Hz the deviation panel has a run of columns
// without the curve (IN2 is blue, 1.58 dB off the zero line).
TEST(CompareDeviation, PointsNotJudgedLeaveAGap) {
  TempDir dir;
  write_file(dir.path("nominal.txt"), "1 10\n3 10\n5 10\n10 10\n100 10\n");
  write_file(dir.path("gap.txt"), "1 12\n3 12\n5 0\n10 12\n100 12\n");
  const struct {
    std::string out;
    std::vector<std::string> args;
  } cases[] = {{"o.gif", {}}, {"o.png", {"-report", "FORMAT=PNG"}}};
  for (const auto& c : cases) {
    std::string out = dir.path(c.out);
    std::vector<std::string> args{"IN=" + dir.path("nominal.txt"),
                                  "IN2=" + dir.path("gap.txt"),
                                  "OUT=" + out,
                                  "-diff",
                                  "-fit",
                                  "-linY",
                                  "D_AXIS=-8;8"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    RunResult r = run_afcdraw(args);
    ASSERT_EQ(0, r.status) << r.out;
    bool gif = c.args.empty();
    DecodedImage im = gif ? decode_gif(read_file(out)) : decode_png(read_file(out));
    ASSERT_TRUE(im);
    // Inside the deviation area, which fills the last two fifths.
    const int top = 60 + (500 - 16) * 3 / 5 + 16 + 4, bottom = 556;
    auto curve_at = [&](int x, int y) {
      int v = pixel(im, x, y);
      return gdImageBlue(im.get(), v) > 200 && gdImageRed(im.get(), v) < 100 &&
             gdImageGreen(im.get(), v) < 100;
    };
    int last = -1, widest = 0;
    for (int x = 0; x < 800; ++x) {
      bool curve = false;
      for (int y = top; y <= bottom && !curve; ++y) curve = curve_at(x, y);
      if (!curve) continue;
      if (last >= 0) widest = std::max(widest, x - last);
      last = x;
    }
    // 3 to 10 Hz is a quarter of the two decades' width, about 180 columns.
    constexpr int least_gap = 100;
    EXPECT_GT(widest, least_gap) << c.out;
    EXPECT_GT(last, 0) << c.out;  // the curve is there at all
  }
}

}  // namespace
