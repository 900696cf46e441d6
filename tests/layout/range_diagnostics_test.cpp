// A range a picture cannot draw is explained on standard error, naming the
// input it is about; standard output and the status stay as they were.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/test_files.h"

namespace {

TEST(RangeDiagnostics, NameTheInputAndWhereItsDataLies) {
  TempDir dir;
  write_file(dir.path("a.txt"), "0.1 1\n1 2\n10 2\n");
  write_file(dir.path("b.txt"), "1 2\n5 2\n");
  write_file(dir.path("c.txt"), "30 2\n40 2\n");
  const std::string a = dir.path("a.txt"), b = dir.path("b.txt"), c = dir.path("c.txt");
  const std::string out = "OUT=" + dir.path("o.gif");
  const std::string log_y_refused =
      "draw_gif()-> create_graphics_vector(): Incorrect Y-axis values for Log10-scale\n";
  const struct {
    std::vector<std::string> args;
    std::string err;  // one line, "afcdraw: " left out
  } cases[] = {
      {{"IN=" + a, out, "X_AXIS=20;100"},
       "IN=" + a + ": no point lies in X_AXIS= 20 to 100 Hz; the data lies at 0.1 to 10 Hz\n"},
      {{"IN=" + a, "IN2=" + c, out, "X_AXIS=50;100"},
       "IN2=" + c + ": no point lies in X_AXIS= 50 to 100 Hz; the data lies at 30 to 40 Hz\n"},
      {{"IN=" + c, out},
       "IN=" + c +
           ": no point lies in the frequency range 0.001 to 20 Hz; the data lies at 30 to " +
           "40 Hz (X_AXIS= or -fit choose the range)\n"},
      {{"IN=" + b, "IN2=" + b, out},
       "IN=" + b + ", IN2=" + b + ": the range of amplitudes 2;2 cannot be drawn"},
  };
  for (const auto& k : cases) {
    RunResult r = run_afcdraw(k.args);
    std::string shown = testing::PrintToString(k.args);
    EXPECT_EQ(252, r.status) << shown;
    EXPECT_EQ(log_y_refused, r.out) << shown;
    EXPECT_NE(std::string::npos, r.err.find("afcdraw: " + k.err)) << shown << "\n" << r.err;
  }
}

}  // namespace
