#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/test_files.h"

namespace {

// A FAP file holds each curve as drawn, and reads back as the same curve.
TEST(CurveText, FapHoldsTheCurvesAsDrawnAndReadsBack) {
  TempDir dir;
  write_file(dir.path("a.txt"), "1 10 -90\n10 100 -45\n100 1000 -0.5\n");
  write_file(dir.path("b.txt"), "1 20\n10 200\n");
  const std::string a = "IN=" + dir.path("a.txt"), b = "IN2=" + dir.path("b.txt");
  const std::string head = "# " + a;
  const struct {
    std::vector<std::string> args;
    std::string out;
    std::string text;
  } cases[] = {
      {{a, "-phase"}, "o.fap", head + "\n1 10 -90\n10 100 -45\n100 1000 -0.5\n"},
      {{a, b, "-dB"},
       "o.FAP",
       head + "\n1 20\n10 40\n100 60\n# " + b + "\n1 26.02059991\n10 46.02059991\n"},
      {{a, "FORMAT=FAP", "UNITS=vel,dis", "X_AXIS=0.5;200"},
       "o.txt",
       head + " in DIS\n1 62.83185307\n10 6283.185307\n100 628318.5307\n"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = c.args;
    args.push_back("OUT=" + dir.path(c.out));
    RunResult r = run_afcdraw(args);
    ASSERT_EQ(0, r.status) << r.out << r.err;
    EXPECT_EQ(c.text, read_file(dir.path(c.out))) << c.out;
  }
  // Read back, it is the same curve.
  ASSERT_EQ(0, run_afcdraw({"IN=" + dir.path("o.txt"), "OUT=" + dir.path("p.fap"), "-fit"}).status);
  EXPECT_EQ("# IN=" + dir.path("o.txt") + "\n1 62.83185307\n10 6283.185307\n100 628318.5307\n",
            read_file(dir.path("p.fap")));
}

}  // namespace
