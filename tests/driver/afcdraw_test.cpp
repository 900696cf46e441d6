// The tool as a batch script sees it: status, standard output, output file.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/gif_reader.h"
#include "support/help_text.h"
#include "support/test_files.h"

namespace {

const std::string help = help_text_utf8;

TEST(Afcdraw, CommandLineFailuresPrintTheHelpText) {
  const struct {
    std::vector<std::string> args;
    std::string out;
  } cases[] = {
      {{}, "parse_cmd(): Few parameters\n" + help},
      {{"IN=a.txt"}, "parse_cmd(): Few parameters\n" + help},
      {{"OUT=b.gif", "X"}, help + "parse_cmd(): Input filename not found\n" + help},
      {{"IN=a.txt", "X"}, help + "parse_cmd(): Output filename not found\n" + help},
      {{"IN=a.txt", "OUT=b.gif", "X_AXIS=10;1"}, "parse_cmd(): Incorrect [FREQ=] value\n" + help},
      {{"IN=" + std::string(1500, 'a'), "OUT=b.gif"},
       "parse_cmd(): Input filename too long\n" + help},
      {{"IN=a", "OUT=" + std::string(1500, 'b')}, "parse_cmd(): Output filename too long\n" + help},
  };
  for (const auto& c : cases) {
    RunResult r = run_afcdraw(c.args);
    EXPECT_EQ(255, r.status) << testing::PrintToString(c.args).substr(0, 80);
    EXPECT_EQ(c.out, r.out) << testing::PrintToString(c.args).substr(0, 80);
  }
}

TEST(Afcdraw, HelpSwitchPrintsOnlyTheHelpText) {
  for (const char* sw : {"/?", "-h", "--HELP", "help"}) {
    for (const auto& args :
         {std::vector<std::string>{"IN=a.txt", sw, "X_AXIS=10;1"}, std::vector<std::string>{sw}}) {
      RunResult r = run_afcdraw(args);
      EXPECT_EQ(0, r.status) << sw;
      EXPECT_EQ(help, r.out) << sw;
    }
  }
}

TEST(Afcdraw, LaterStagesPrintOneLineAndKeepTheOutputFile) {
  TempDir dir;
  write_file(dir.path("empty.txt"), "");
  write_file(dir.path("words.txt"), "Freq Amp\n");
  write_file(dir.path("zero.txt"), "1 1\n2 0\n");
  write_file(dir.path("flat.txt"), "1 5\n2 5\n");
  write_file(dir.path("outside.txt"), "100 5\n");
  const struct {
    std::string in;
    std::vector<std::string> extra;
    int status;
    std::string out;
  } cases[] = {
      {dir.path("missing.txt"), {}, 254, "read_in(): File open error\n"},
      {dir.dir(), {}, 254, "read_in(): File open error\n"},
      {dir.path("empty.txt"), {}, 254, "read_in(): Unable to read file content\n"},
      {dir.path("words.txt"), {}, 253, "str2graph(): Couldn't find any point\n"},
      {"/dev/zero", {}, 253, "str2graph(): Couldn't find any point\n"},  // ends at its first NUL
      {dir.path("zero.txt"), {"-linY"}, 252, "draw_gif(): Max (or Min) amplitude <= 0\n"},
      {dir.path("flat.txt"),
       {},
       252,
       "draw_gif()-> create_graphics_vector(): Incorrect Y-axis values for Log10-scale\n"},
      {dir.path("outside.txt"),
       {"X_AXIS=5;5"},
       252,
       "draw_gif()-> create_graphics_vector(): Incorrect X-axis values for Log10-scale\n"},
      {dir.path("outside.txt"),
       {"X_AXIS=1e-300;1e100"},
       252,
       "draw_gif()-> create_graphics_vector(): Incorrect X-axis values for Log10-scale\n"},
  };
  for (const auto& c : cases) {
    write_file(dir.path("out.gif"), "old picture");
    std::vector<std::string> args{"IN=" + c.in, "OUT=" + dir.path("out.gif")};
    args.insert(args.end(), c.extra.begin(), c.extra.end());
    RunResult r = run_afcdraw(args);
    EXPECT_EQ(c.status, r.status) << c.in;
    EXPECT_EQ(c.out, r.out) << c.in;
    EXPECT_EQ("old picture", read_file(dir.path("out.gif"))) << c.in;
  }
}

TEST(Afcdraw, SuccessPrintsNothingAndWritesTheGif) {
  TempDir dir;
  RunResult r = run_afcdraw({"IN=" AFCDRAW_EXAMPLES "/broadband_120s.txt",
                             "OUT=" + dir.path("a.gif"), "SIZE=1024x768", "SUB_GRID=10"});
  EXPECT_EQ(0, r.status);
  EXPECT_EQ("", r.out);
  std::string gif = read_file(dir.path("a.gif"));
  DecodedImage im = decode_gif(gif);
  ASSERT_TRUE(im);
  EXPECT_EQ(1024, gdImageSX(im.get()));
  EXPECT_EQ(768, gdImageSY(im.get()));
  // The same run gives the same bytes.
  run_afcdraw({"IN=" AFCDRAW_EXAMPLES "/broadband_120s.txt", "OUT=" + dir.path("b.gif"),
               "SIZE=1024x768", "SUB_GRID=10"});
  EXPECT_EQ(gif, read_file(dir.path("b.gif")));
}

TEST(Afcdraw, OutputToAFullDeviceFails) {
  RunResult r = run_afcdraw({"IN=" AFCDRAW_EXAMPLES "/geophone_1hz.txt", "OUT=/dev/full"});
  EXPECT_EQ(252, r.status);
  EXPECT_EQ("draw_gif(): Unable to write output file\n", r.out);
}

}  // namespace
