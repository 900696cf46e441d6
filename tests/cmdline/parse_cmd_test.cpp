#include "cmdline/parse_cmd.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/last_error.h"

namespace {

// Runs parse_cmd on "afcdraw" followed by `args`.
int parse(std::vector<std::string> args, PlotOptions& o, Warnings* warnings = nullptr) {
  std::vector<const char*> argv{"afcdraw"};
  for (const std::string& a : args) argv.push_back(a.c_str());
  o = PlotOptions{};
  last_error = "NO_ERROR";
  testing::internal::CaptureStdout();
  Warnings ignored;
  int result = parse_cmd(static_cast<int>(argv.size()), argv.data(), o,
                         warnings != nullptr ? *warnings : ignored);
  EXPECT_EQ("", testing::internal::GetCapturedStdout());  // the help text is main's to print
  return result;
}

const std::string in = "IN=a.txt";
const std::string out = "OUT=b.gif";

TEST(ParseCmd, FailuresInValidationOrder) {
  const struct {
    std::vector<std::string> args;
    int result;
    const char* message;
  } cases[] = {
      {{}, -1, "parse_cmd(): Few parameters"},
      {{"IN=a.txt"}, -1, "parse_cmd(): Few parameters"},
      {{out, "CAPTION=x"}, -2, "parse_cmd(): Input filename not found"},
      {{in, out, "IN="}, -2, "parse_cmd(): Input filename not found"},
      {{in, "X_AXIS=0;10"}, -3, "parse_cmd(): Output filename not found"},
      {{"IN=" + std::string(1024, 'a'), out}, -6, "parse_cmd(): Input filename too long"},
      {{"IN=" + std::string(1024, 'a')}, -1, "parse_cmd(): Few parameters"},
      {{in, "OUT=" + std::string(1024, 'b')}, -6, "parse_cmd(): Output filename too long"},
      {{"OUT=" + std::string(1024, 'b'), "X_AXIS=0;1"},
       -2,
       "parse_cmd(): Input filename not found"},
      {{in, out, "X_AXIS=50"}, -4, "parse_cmd(): Incorrect [FREQ=] value"},
      {{in, out, "X_AXIS=0;10"}, -4, "parse_cmd(): Incorrect [FREQ=] value"},
      {{in, out, "X_AXIS=0;10", "-linX"}, -4, "parse_cmd(): Incorrect [FREQ=] value"},
      {{in, out, "X_AXIS=10;1"}, -4, "parse_cmd(): Incorrect [FREQ=] value"},
      {{in, out, "X_AXIS=-1;10"}, -4, "parse_cmd(): Incorrect [FREQ=] value"},
      {{in, out, "X_AXIS=0.1;1e999"}, -4, "parse_cmd(): Incorrect [FREQ=] value"},
      {{in, out, "X_AXIS=1e999"}, -4, "parse_cmd(): Incorrect [FREQ=] value"},
  };
  for (const auto& c : cases) {
    PlotOptions o;
    EXPECT_EQ(c.result, parse(c.args, o)) << testing::PrintToString(c.args);
    EXPECT_EQ(c.message, last_error) << testing::PrintToString(c.args);
  }
}

TEST(ParseCmd, DefaultsWhenOnlyTheFilesAreNamed) {
  PlotOptions o;
  ASSERT_EQ(0, parse({in, out}, o));
  EXPECT_STREQ("a.txt", o.in_path);
  EXPECT_STREQ("b.gif", o.out_path);
  EXPECT_EQ(0.001, o.x_min);
  EXPECT_EQ(20.0, o.x_max);
  EXPECT_EQ(1, o.log_x);
  EXPECT_EQ(1, o.log_y);
  EXPECT_EQ(800, o.size_x);
  EXPECT_EQ(600, o.size_y);
  EXPECT_EQ(-1, o.sub_grid_x);
  EXPECT_EQ(-1, o.sub_grid_y);
  EXPECT_STREQ("", o.caption);
  EXPECT_STREQ("", o.dim_x);
  EXPECT_STREQ("", o.dim_y);
  EXPECT_EQ(0, o.fit);
  EXPECT_EQ(0, o.x_axis_given);
  EXPECT_EQ(0, o.phase);
  EXPECT_EQ(0, o.unwrap);
  EXPECT_STREQ("Phase, deg", o.dim_p);
  EXPECT_EQ("NO_ERROR", last_error);
}

TEST(ParseCmd, FitAndPhaseSwitches) {
  const struct {
    std::vector<std::string> args;
    int fit, phase, unwrap, x_axis_given;
    const char* dim_p;
  } cases[] = {
      {{"-fit", "/phase", "-unwrap"}, 1, 1, 1, 0, "Phase, deg"},
      {{"/FIT", "-Phase", "/UnWrap"}, 1, 1, 1, 0, "Phase, deg"},
      {{"-fitx", "fit", "--fit", "/phases", "-unwrap=1", "-fit "}, 0, 0, 0, 0, "Phase, deg"},
      {{"X_AXIS=", "dimp=Phi, rad"}, 0, 0, 0, 1, "Phi, rad"},
      {{"DIMP=" + std::string(200, 'p')}, 0, 0, 0, 0, nullptr},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args{in, out};
    args.insert(args.end(), c.args.begin(), c.args.end());
    PlotOptions o;
    ASSERT_EQ(0, parse(args, o));
    EXPECT_EQ(c.fit, o.fit) << testing::PrintToString(c.args);
    EXPECT_EQ(c.phase, o.phase) << testing::PrintToString(c.args);
    EXPECT_EQ(c.unwrap, o.unwrap) << testing::PrintToString(c.args);
    EXPECT_EQ(c.x_axis_given, o.x_axis_given) << testing::PrintToString(c.args);
    EXPECT_EQ(c.dim_p ? std::string(c.dim_p) : std::string(127, 'p'), o.dim_p);
  }
}

TEST(ParseCmd, KeysMatchInAnyAsciiCaseAndWholeSwitchesOnly) {
  PlotOptions o;
  ASSERT_EQ(0, parse({"in=C:\\data\\curve.txt", "Out=x\\y.gif", "-LINX", "/liny"}, o));
  EXPECT_STREQ("C:/data/curve.txt", o.in_path);
  EXPECT_STREQ("x/y.gif", o.out_path);
  EXPECT_EQ(0, o.log_x);
  EXPECT_EQ(0, o.log_y);
  ASSERT_EQ(0, parse({in, out, "-linXY", "linX", "FREQ=1;2", "SIZE"}, o));
  EXPECT_EQ(1, o.log_x);
  EXPECT_EQ(800, o.size_x);
  // Only ASCII letters fold: a Latin-1 capital does not match its small letter.
  ASSERT_EQ(-2, parse({"\xC9N=a", out}, o));
}

TEST(ParseCmd, XAxisStoresEachNumberAsItIsRead) {
  const struct {
    const char* arg;
    double x_min;
    double x_max;
  } cases[] = {
      {"X_AXIS=0.01;100", 0.01, 100}, {"X_AXIS=0.5", 0.5, 20.0},  {"X_AXIS=abc", 0.001, 20.0},
      {"X_AXIS=5;5", 5, 5},           {"X_AXIS=1 1000", 1, 1000}, {"x_axis=2,3", 2, 3},
      {"X_AXIS=", 0.001, 20.0},
  };
  for (const auto& c : cases) {
    PlotOptions o;
    ASSERT_EQ(0, parse({in, out, c.arg}, o)) << c.arg;
    EXPECT_EQ(c.x_min, o.x_min) << c.arg;
    EXPECT_EQ(c.x_max, o.x_max) << c.arg;
  }
  PlotOptions o;
  ASSERT_EQ(0, parse({in, out, "X_AXIS=1;10", "X_AXIS=2"}, o));  // keeps the earlier maximum
  EXPECT_EQ(2, o.x_min);
  EXPECT_EQ(10, o.x_max);
}

// An exponent marker without digits is read as nothing, as in a file, but
// the value is then not read whole and says so.
TEST(ParseCmd, ABareExponentMarkerWarns) {
  const struct {
    const char* arg;
    double PlotOptions::*field;
    double value;
  } cases[] = {
      {"X_AXIS=0.1e,100", &PlotOptions::x_max, 100},
      {"X_AXIS=0.1,100E", &PlotOptions::x_max, 100},
      {"NORM=1e", &PlotOptions::norm_f, 1},
      {"NYQUIST=40e-", &PlotOptions::nyquist, 40},
  };
  for (const auto& c : cases) {
    PlotOptions o;
    Warnings w;
    ASSERT_EQ(0, parse({in, out, c.arg}, o, &w)) << c.arg;
    EXPECT_EQ(c.value, o.*c.field) << c.arg;
    ASSERT_EQ(1u, w.size()) << c.arg;
    EXPECT_NE(std::string::npos, w[0].find("read only in part")) << w[0];
  }
}

TEST(ParseCmd, SizeRules) {
  const struct {
    const char* value;
    int x;
    int y;
  } cases[] = {
      {"1024x768", 1024, 768},
      {"1024", 800, 600},
      {"700;300", 640, 480},
      {"900;300", 640, 480},
      {"10001;600", 800, 600},
      {"640;480", 640, 480},
      {"10000;10000", 10000, 10000},
      {"-5;700", 800, 600},
      {"", 800, 600},
      {"639;10001", 640, 480},
      {"99999999999;600", 800, 600},
  };
  for (const auto& c : cases) {
    PlotOptions o;
    ASSERT_EQ(0, parse({in, out, std::string("SIZE=") + c.value}, o)) << c.value;
    EXPECT_EQ(c.x, o.size_x) << c.value;
    EXPECT_EQ(c.y, o.size_y) << c.value;
  }
}

TEST(ParseCmd, SubGridMerge) {
  const struct {
    std::vector<std::string> args;
    int x;
    int y;
  } cases[] = {
      {{"SUB_GRID=5", "SUB_GRIDX=2"}, 2, 5},
      {{"SUB_GRIDX=2", "SUB_GRID=5"}, 2, 5},
      {{"SUB_GRIDX=-3", "SUB_GRID=4"}, 4, 4},
      {{}, -1, -1},
      {{"SUB_GRID="}, 0, 0},
      {{"SUB_GRIDY=7", "sub_grid=3", "SUB_GRID=9"}, 9, 7},
      {{"SUB_GRID=2147483647"}, 2147483647, 2147483647},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args{in, out};
    args.insert(args.end(), c.args.begin(), c.args.end());
    PlotOptions o;
    ASSERT_EQ(0, parse(args, o));
    EXPECT_EQ(c.x, o.sub_grid_x) << testing::PrintToString(c.args);
    EXPECT_EQ(c.y, o.sub_grid_y) << testing::PrintToString(c.args);
  }
}

TEST(ParseCmd, TextsAreCutToTheirFields) {
  PlotOptions o;
  ASSERT_EQ(0, parse({in, out, "CAPTION=" + std::string(100, 'c'), "DIMX=" + std::string(200, 'x'),
                      "DIMY=y \\ z"},
                     o));
  EXPECT_EQ(std::string(63, 'c'), o.caption);
  EXPECT_EQ(std::string(127, 'x'), o.dim_x);
  EXPECT_STREQ("y \\ z", o.dim_y);  // only paths turn backslashes round
  ASSERT_EQ(0, parse({"IN=" + std::string(1023, 'a'), out}, o));
  EXPECT_EQ(std::string(1023, 'a'), o.in_path);
  ASSERT_EQ(0, parse({"IN=" + std::string(2000, 'a'), "IN=short", out}, o));
}

TEST(ParseCmd, HelpSwitchWinsOverWhatFollows) {
  for (const char* sw :
       {"--help", "-HELP", "/help", "help", "--h", "-h", "/H", "--?", "-?", "/?"}) {
    PlotOptions o;
    EXPECT_EQ(help_wanted, parse({"IN=a", sw, "X_AXIS=5;1"}, o)) << sw;
    EXPECT_EQ(help_wanted, parse({sw}, o)) << sw;  // alone too
    EXPECT_EQ("NO_ERROR", last_error) << sw;
  }
  PlotOptions o;
  EXPECT_EQ(0, parse({in, out, "--helpme", "/??"}, o));
}

}  // namespace

namespace {

// A tolerance is used whole or not at all: a verdict must never pass on a
// degree tolerance it dropped, nor judge nothing.
TEST(ParseCmd, ToleranceIsReadWholeOrRefused) {
  const struct {
    std::vector<std::string> args;
    int result;
    double db, deg;  // with result 0
    bool deg_given;
  } cases[] = {
      {{"TOL=0.5,5"}, 0, 0.5, 5, true},
      {{"TOL=0.5dB,5deg"}, 0, 0.5, 5, true},
      {{"TOL=0.5 ,5"}, 0, 0.5, 5, true},
      {{"TOL=0.5 5"}, 0, 0.5, 5, true},
      {{"TOL=0.5;5\xC2\xB0"}, 0, 0.5, 5, true},
      {{"TOL=1"}, 0, 1, 0, false},
      {{"TOL=1 dB "}, 0, 1, 0, false},
      {{"TOL=0.5,,5"}, bad_tolerance, 0, 0, false},
      {{"TOL=0.5,5,7"}, bad_tolerance, 0, 0, false},
      {{"TOL=0.5;abc"}, bad_tolerance, 0, 0, false},
      {{"TOL=0.5dB,5rad"}, bad_tolerance, 0, 0, false},
      {{"TOL=0.5,0"}, bad_tolerance, 0, 0, false},
      {{"TOL=dB"}, bad_tolerance, 0, 0, false},
      {{"TOL=5e-1,5E0"}, 0, 0.5, 5, true},
      {{"TOL=0.5e"}, bad_tolerance, 0, 0, false},  // an exponent was meant
      {{"TOL=0.5,5e-"}, bad_tolerance, 0, 0, false},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args{in, out, "IN2=c.txt", "-phase"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    PlotOptions o;
    ASSERT_EQ(c.result, parse(args, o)) << c.args[0];
    if (c.result != 0) {
      EXPECT_EQ("parse_cmd(): Incorrect [TOL=] value", last_error) << c.args[0];
      continue;
    }
    EXPECT_EQ(c.db, o.tol_db) << c.args[0];
    EXPECT_EQ(c.deg_given, o.tol_deg_given) << c.args[0];
    if (c.deg_given) {
      EXPECT_EQ(c.deg, o.tol_deg) << c.args[0];
    }
  }
  PlotOptions o;
  EXPECT_EQ(bad_tolerance, parse({in, out, "TOL=1", "-strict"}, o));
  EXPECT_EQ("parse_cmd(): Nothing to judge with [TOL=]", last_error);
}

}  // namespace
