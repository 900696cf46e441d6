// -diff and TOL= as a calibration batch meets them: the verdict lines, the
// statuses a script acts on, and the deviation panel in the picture.

#include <gtest/gtest.h>

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

}  // namespace
