// What a run says on standard error: every argument it ignored, every value
// it did not read, every text it cut, and the cause behind a failure; and
// -strict, which makes each of those a failure. Standard output stays the
// message lines it always had.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/test_files.h"

namespace {

const std::string points = "0.01 1\n0.1 10\n1 100\n10 5\n";

TEST(Diagnostics, WarningsAndCausesGoToStandardError) {
  TempDir dir;
  const std::string in = "IN=" + dir.path("in.txt");
  const std::string out = "OUT=" + dir.path("o.gif");
  write_file(dir.path("in.txt"), points);
  write_file(dir.path("zero.txt"), "1 0\n2 5\n");
  write_file(dir.path("junk.txt"), "a b\n");
  const struct {
    std::vector<std::string> args;
    int status;
    std::string out;
    std::string err;  // one of its lines, "afcdraw: " left out
  } cases[] = {
      {{in, out, "SUBGRID=10"},
       0,
       "",
       "warning: unknown argument \"SUBGRID=10\" ignored (did you mean SUB_GRID=?)"},
      {{in, out, "/fitt"},
       0,
       "",
       "warning: unknown argument \"/fitt\" ignored (did you mean -fit?)"},
      {{in, out, "x_axes=1;2"}, 0, "", "(did you mean X_AXIS=?)"},
      {{in, out, "QQQQQQ"}, 0, "", "warning: unknown argument \"QQQQQQ\" ignored"},
      {{in, out, "X_AXIS=abc"}, 0, "", "warning: X_AXIS= value \"abc\" not read"},
      {{in, out, "SUB_GRID=ten"}, 0, "", "warning: SUB_GRID= value \"ten\" not read"},
      {{in, out, "SIZE=100;100"},
       0,
       "",
       "warning: SIZE= value \"100;100\" not used as given: 640x480"},
      {{in, out, "CAPTION=" + std::string(70, 'c')},
       0,
       "",
       "warning: CAPTION= cut to its first 63 bytes"},
      {{in, out, "NAME2=" + std::string(130, 'n')},
       0,
       "",
       "warning: NAME2= cut to its first 127 bytes"},
      {{"IN=" + dir.path("none.txt"), out},
       254,
       "read_in(): File open error\n",
       "IN=" + dir.path("none.txt") + ": No such file or directory"},
      {{in, "IN2=" + dir.path("junk.txt"), out},
       253,
       "str2graph(): Couldn't find any point: IN2=" + dir.path("junk.txt") + "\n",
       "IN2=" + dir.path("junk.txt") + ": no line begins with two numbers"},
      {{in, "IN3=" + dir.path("zero.txt"), out, "X_AXIS=0.5;10"},
       252,
       "draw_gif(): Max (or Min) amplitude <= 0\n",
       "IN3=" + dir.path("zero.txt") + ": an amplitude <= 0 in the frequency range 0.5;10"},
      {{in, "OUT=" + dir.path("no/o.gif")},
       252,
       "draw_gif(): Unable to create output file\n",
       "OUT=" + dir.path("no/o.gif") + ": No such file or directory"},
  };
  for (const auto& c : cases) {
    RunResult r = run_afcdraw(c.args);
    std::string shown = testing::PrintToString(c.args).substr(0, 100);
    EXPECT_EQ(c.status, r.status) << shown;
    EXPECT_EQ(c.out, r.out) << shown;
    EXPECT_NE(std::string::npos, r.err.find(c.err)) << shown << "\n" << r.err;
    EXPECT_EQ(0u, r.err.rfind("afcdraw: ", 0)) << shown;
  }
  // A command line with nothing to say says nothing.
  RunResult quiet = run_afcdraw({in, out, "SIZE=1024x768", "-fit", "/linY", "NAME=a", "LEGEND=bl"});
  EXPECT_EQ(0, quiet.status);
  EXPECT_EQ("", quiet.err);
}

TEST(Diagnostics, StrictMakesTheFirstWarningAFailure) {
  TempDir dir;
  write_file(dir.path("in.txt"), points);
  write_file(dir.path("o.gif"), "old");
  const std::string in = "IN=" + dir.path("in.txt");
  const std::string out = "OUT=" + dir.path("o.gif");
  const struct {
    std::vector<std::string> args;
    std::string message;
  } cases[] = {
      {{in, out, "-strict", "SUBGRID=10", "-fitt"},
       "parse_cmd(): unknown argument \"SUBGRID=10\" ignored (did you mean SUB_GRID=?)"},
      {{in, out, "X_AXIS=1", "/STRICT"}, "parse_cmd(): X_AXIS= value \"1\" read only in part"},
      {{in, out, "-strict", "DIMX=" + std::string(200, 'x')},
       "parse_cmd(): DIMX= cut to its first 127 bytes"},
      {{in, out, "-strict", "P_AXIS=0;90"},
       "parse_cmd(): P_AXIS= has no effect without -phase and is ignored"},
      {{in, out, "-strict", "TIME=2019-01-01"},
       "parse_cmd(): TIME= has no effect without station metadata and is ignored"},
      {{in, out, "-strict", "CHANNEL=Z.CGV..HYZ"},
       "parse_cmd(): CHANNEL= has no effect without station metadata in IN= and is ignored"},
      {{in, out, "-strict", "POINTS=100"},
       "parse_cmd(): POINTS= has no effect without a pole-zero or station metadata file and is "
       "ignored"},
      {{in, out, "-strict", "-fit", "NYQUIST=1e6"},
       "parse_cmd(): NYQUIST= line at 500000 Hz lies outside the frequency range 0.01 to 10 Hz"},
  };
  for (const auto& c : cases) {
    RunResult r = run_afcdraw(c.args);
    EXPECT_EQ(255, r.status) << c.message;
    EXPECT_EQ(0u, r.out.rfind(c.message + "\n", 0)) << r.out.substr(0, 200);
    EXPECT_EQ("old", read_file(dir.path("o.gif")));
  }
  EXPECT_EQ(0, run_afcdraw({in, out, "-strict", "-fit"}).status);
}

// With the picture on standard output, a message there would be written
// into wherever the picture goes.
TEST(Diagnostics, MessagesLeaveStandardOutputToThePicture) {
  const struct {
    std::vector<std::string> args;
    std::string err;
  } cases[] = {
      {{"IN=/nonexistent", "OUT=-"}, "read_in(): File open error\n"},
      {{"IN=/nonexistent", "OUT=-", "X_AXIS=5;1"}, "parse_cmd(): Incorrect [FREQ=] value\n"},
  };
  for (const auto& c : cases) {
    RunResult r = run_afcdraw(c.args);
    EXPECT_NE(0, r.status);
    EXPECT_EQ("", r.out);
    EXPECT_NE(std::string::npos, r.err.find(c.err)) << r.err;
  }
}

}  // namespace
