// Whatever a batch script feeds the tool: every run ends with its documented
// status and message, and a failing run leaves an existing picture as it was.

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "support/gif_reader.h"
#include "support/test_files.h"

namespace {

const std::string no_point = "str2graph(): Couldn't find any point\n";
const std::string y_log =
    "draw_gif()-> create_graphics_vector(): Incorrect Y-axis values for Log10-scale\n";
const std::string x_log =
    "draw_gif()-> create_graphics_vector(): Incorrect X-axis values for Log10-scale\n";
const std::string points = "0.01 1\n0.1 10\n1 100\n10 5\n";

std::string high_bytes(size_t n) {
  std::mt19937 rng(1);
  std::string s(n, '\0');
  for (char& c : s) c = static_cast<char>(0x80 + rng() % 0x80);
  return s;
}

struct Case {
  const char* name;
  std::string file;
  std::vector<std::string> args;
  int status;
  std::string out;
};

TEST(Hostile, InputsAndArgumentsGetTheirStatusAndMessage) {
  const std::string big(100000, 'A');
  const Case cases[] = {
      {"binary garbage", high_bytes(100000), {}, 253, no_point},
      {"only NUL bytes", std::string(1000, '\0'), {}, 253, no_point},
      {"only Ctrl-Z bytes",
       std::string(1000, '\x1A'),
       {},
       254,
       "read_in(): Unable to read file content\n"},
      {"only separators", std::string(5000, ';') + "\n,,,,\n\t\t\n", {}, 253, no_point},
      {"blank lines", std::string(100000, '\n'), {}, 253, no_point},
      {"one long line", "1 2 " + std::string(10000000, 'x'), {}, 252, y_log},
      {"extreme numbers", "1e308 5\n1e999 5\n4.9e-324 1\n-0 1\n+.5 2\n5. 3\n", {}, 0, ""},
      {"points outside the range", "100 5\n200 6\n", {}, 252, y_log},
      {"huge texts", points, {"CAPTION=" + big, "DIMX=" + big, "DIMY=" + big}, 0, ""},
      {"largest picture", points, {"SIZE=10000;10000", "SUB_GRID=10"}, 0, ""},
      {"600 decades", points, {"X_AXIS=1e-300;1e300"}, 252, x_log},
      {"300 decades",
       "1e-299 1\n1e-2 1e300\n",
       {"X_AXIS=1e-300;1e-2", "SUB_GRID=2147483647"},
       0,
       ""},
      {"largest count", points, {"SUB_GRID=2147483647"}, 0, ""},
      {"largest count, linear", points, {"SUB_GRID=2147483647", "-linX", "-linY"}, 0, ""},
      {"smallest count", points, {"SUB_GRID=-2147483648"}, 0, ""},
      {"smallest count, linear", points, {"SUB_GRID=-2147483648", "/linX", "/linY"}, 0, ""},
  };
  TempDir dir;
  for (const Case& c : cases) {
    write_file(dir.path("in.txt"), c.file);
    write_file(dir.path("out.gif"), "old picture");
    std::vector<std::string> args{"IN=" + dir.path("in.txt"), "OUT=" + dir.path("out.gif")};
    args.insert(args.end(), c.args.begin(), c.args.end());
    RunResult r = run_afcdraw(args);
    EXPECT_EQ(c.status, r.status) << c.name;
    EXPECT_EQ(c.out, r.out) << c.name;
    std::string written = read_file(dir.path("out.gif"));
    if (c.status == 0) {
      EXPECT_TRUE(decode_gif(written)) << c.name;
    } else {
      EXPECT_EQ("old picture", written) << c.name;
    }
    EXPECT_EQ((std::vector<std::string>{"in.txt", "out.gif"}), dir.entries()) << c.name;
  }
}

TEST(Hostile, OutputThatCannotBeWritten) {
  TempDir dir;
  write_file(dir.path("in.txt"), points);
  mkdir(dir.path("folder").c_str(), 0755);
  const struct {
    std::string out;
    std::string message;
  } cases[] = {
      {dir.path("folder"), "draw_gif(): Unable to create output file\n"},
      {dir.path("missing/out.gif"), "draw_gif(): Unable to create output file\n"},
      {"/dev/full", "draw_gif(): Unable to write output file\n"},
  };
  for (const auto& c : cases) {
    RunResult r = run_afcdraw({"IN=" + dir.path("in.txt"), "OUT=" + c.out});
    EXPECT_EQ(252, r.status) << c.out;
    EXPECT_EQ(c.message, r.out) << c.out;
  }
  EXPECT_EQ((std::vector<std::string>{"folder", "in.txt"}), dir.entries());
}

TEST(Hostile, FullFileSystemLeavesTheOldPicture) {
  TempDir dir;
  std::string mnt = dir.path("small");
  mkdir(mnt.c_str(), 0755);
  if (mount("tmpfs", mnt.c_str(), "tmpfs", 0, "size=8k") != 0) {
    SKIP_OUTSIDE_CI("cannot mount a tmpfs here");
  }
  write_file(dir.path("in.txt"), points);
  write_file(mnt + "/out.gif", "old picture");
  write_file(mnt + "/filler", std::string(100000, 'f'));  // fills what is left
  RunResult r = run_afcdraw({"IN=" + dir.path("in.txt"), "OUT=" + mnt + "/out.gif"});
  std::string kept = read_file(mnt + "/out.gif");
  std::vector<std::string> left;
  for (const auto& e : std::filesystem::directory_iterator(mnt)) {
    left.push_back(e.path().filename().string());
  }
  umount(mnt.c_str());
  EXPECT_EQ(252, r.status);
  EXPECT_EQ("draw_gif(): Unable to write output file\n", r.out);
  EXPECT_EQ("old picture", kept);
  EXPECT_EQ(2u, left.size());  // out.gif and filler: no temporary file
}

}  // namespace
