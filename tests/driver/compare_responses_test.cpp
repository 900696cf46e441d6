// The options that go beyond one GIF of one response, as a batch script
// meets them: further inputs with their colours, the legend, PNG output,
// the standard streams and --version.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/gif_reader.h"
#include "support/help_text.h"
#include "support/test_files.h"

namespace {

// The default 800x600 picture: the plot spans columns 60..780, rows 60..560.
constexpr int column = 400;

const std::string help = help_text_utf8;

// A straight response across the default frequency range.
std::string flat(const std::string& amplitude) {
  return "0.001 " + amplitude + "\n20 " + amplitude + "\n";
}
const std::string outside = "30 1e6\n40 1e6\n";  // above the frequency range

struct Rgb {
  int r, g, b;
  bool operator==(const Rgb&) const = default;
};
constexpr Rgb red{255, 0, 0}, blue{0, 0, 255}, green{0, 128, 0}, magenta{192, 0, 192},
    black{0, 0, 0}, grey{230, 230, 230};

Rgb rgb(const DecodedImage& im, int x, int y) {
  int c = pixel(im, x, y);
  return {gdImageRed(im.get(), c), gdImageGreen(im.get(), c), gdImageBlue(im.get(), c)};
}

int count_in_plot(const DecodedImage& im, const Rgb& colour) {
  int n = 0;
  for (int y = 60; y <= 560; ++y) {
    for (int x = 60; x <= 780; ++x) n += rgb(im, x, y) == colour;
  }
  return n;
}

// Writes each text to its own file and gives its key: IN=, IN2=, ...
std::vector<std::string> inputs(const TempDir& dir, const std::vector<std::string>& keys,
                                const std::vector<std::string>& texts) {
  std::vector<std::string> args;
  for (size_t i = 0; i < keys.size(); ++i) {
    std::string path = dir.path("in" + std::to_string(i) + ".txt");
    write_file(path, texts[i]);
    args.push_back(keys[i] + path);
  }
  return args;
}

TEST(CompareResponses, CurvesTakeTheirColoursOnTheRangeOfAllFiles) {
  const struct {
    std::vector<std::string> keys;
    std::vector<std::string> texts;
    std::vector<std::pair<Rgb, int>> rows;  // each curve's colour and row in `column`
    std::vector<Rgb> absent;
    int colours;  // palette entries
  } cases[] = {
      {{"IN=", "IN2="}, {flat("1"), flat("10")}, {{red, 560}, {blue, 60}}, {green, magenta}, 6},
      {{"IN=", "IN2=", "IN3=", "IN4="},
       {flat("1"), flat("10"), flat("100"), flat("1000")},
       {{red, 560}, {blue, 393}, {green, 226}, {magenta, 60}},
       {},
       8},
      // A colour is allocated only for a curve that is drawn.
      {{"IN=", "IN4="}, {flat("1"), flat("100")}, {{red, 560}, {magenta, 60}}, {blue, green}, 7},
      // A file with no point in the range adds nothing to it.
      {{"IN=", "IN2=", "IN3="},
       {flat("1"), outside, flat("100")},
       {{red, 560}, {green, 60}},
       {blue, magenta},
       7},
      {{"IN=", "IN2=", "IN3="},
       {outside, flat("10"), flat("100")},
       {{blue, 560}, {green, 60}},
       {red, magenta},
       7},
  };
  for (const auto& c : cases) {
    TempDir dir;
    std::vector<std::string> args = inputs(dir, c.keys, c.texts);
    args.push_back("OUT=" + dir.path("out.gif"));
    RunResult r = run_afcdraw(args);
    ASSERT_EQ(0, r.status) << r.out;
    DecodedImage im = decode_gif(read_file(dir.path("out.gif")));
    ASSERT_TRUE(im);
    EXPECT_EQ(c.colours, gdImageColorsTotal(im.get())) << c.keys.size();
    for (auto [colour, row] : c.rows) {
      EXPECT_TRUE(rgb(im, column, row) == colour) << c.keys.size() << " row " << row;
    }
    for (const Rgb& colour : c.absent) EXPECT_EQ(0, count_in_plot(im, colour)) << c.keys.size();
  }
}

TEST(CompareResponses, AFailingFileIsNamedAndNothingIsWritten) {
  TempDir dir;
  const std::string good = dir.path("good.txt"), empty = dir.path("empty.txt"),
                    words = dir.path("words.txt"), zero = dir.path("zero.txt"),
                    missing = dir.path("missing.txt");
  write_file(good, flat("1"));
  write_file(empty, "");
  write_file(words, "Freq Amp\n");
  write_file(zero, flat("0"));
  const struct {
    std::vector<std::string> args;
    int status;
    std::string out;
  } cases[] = {
      {{"IN=" + good, "IN2=" + missing}, 254, "read_in(): File open error: IN2=" + missing + "\n"},
      {{"IN=" + good, "IN3=" + empty},
       254,
       "read_in(): Unable to read file content: IN3=" + empty + "\n"},
      {{"IN=" + good, "IN2=" + good, "IN4=" + words},
       253,
       "str2graph(): Couldn't find any point: IN4=" + words + "\n"},
      // The first failing file in key order ends the run.
      {{"IN4=" + missing, "IN=" + good, "IN2=" + words},
       253,
       "str2graph(): Couldn't find any point: IN2=" + words + "\n"},
      {{"IN=" + missing, "IN2=" + good}, 254, "read_in(): File open error\n"},
      {{"IN=" + good, "IN3=" + zero}, 252, "draw_gif(): Max (or Min) amplitude <= 0\n"},
      {{"IN=" + good, "IN2=" + std::string(1500, 'a')},
       255,
       "parse_cmd(): Input filename too long: IN2=\n" + help},
  };
  for (const auto& c : cases) {
    write_file(dir.path("out.gif"), "old picture");
    std::vector<std::string> args = c.args;
    args.push_back("OUT=" + dir.path("out.gif"));
    RunResult r = run_afcdraw(args);
    EXPECT_EQ(c.status, r.status) << c.out;
    EXPECT_EQ(c.out, r.out);
    EXPECT_EQ("old picture", read_file(dir.path("out.gif"))) << c.out;
  }
}

TEST(CompareResponses, FormatChoosesTheFileFormat) {
  const struct {
    std::string value;
    int status;
    std::string signature;  // of the file written, or the text printed
  } cases[] = {
      {"GIF", 0, "GIF87a"},
      {"gif", 0, "GIF87a"},
      {"PNG", 0, "\x89PNG\r\n"},
      {"pNg", 0, "\x89PNG\r\n"},
      {"svg", 0, "<?xml version=\"1.0\""},
      {"PDF", 0, "%PDF-1."},
      {"JPG", 255, "parse_cmd(): Incorrect [FORMAT=] value\n" + help},
      {"", 255, "parse_cmd(): Incorrect [FORMAT=] value\n" + help},
      {"PNG ", 255, "parse_cmd(): Incorrect [FORMAT=] value\n" + help},
  };
  for (const auto& c : cases) {
    TempDir dir;
    RunResult r = run_afcdraw({"IN=" AFCDRAW_EXAMPLES "/geophone_1hz.txt", "OUT=" + dir.path("out"),
                               "FORMAT=" + c.value});
    EXPECT_EQ(c.status, r.status) << c.value;
    if (c.status == 0) {
      EXPECT_EQ(c.signature, read_file(dir.path("out")).substr(0, c.signature.size()));
    } else {
      EXPECT_EQ(c.signature, r.out) << c.value;
      EXPECT_EQ(std::vector<std::string>{}, dir.entries()) << c.value;
    }
  }
  // Without FORMAT=, a .png, .svg or .pdf name asks for that format; any
  // other name keeps GIF.
  const struct {
    const char* name;
    std::string signature;
  } names[] = {{"a.png", "\x89PNG\r\n"}, {"b.PnG", "\x89PNG\r\n"},
               {"c.gif", "GIF87a"},      {"png", "GIF87a"},
               {"d.png.gif", "GIF87a"},  {"e.Svg", "<?xml version=\"1.0\""},
               {"f.PDF", "%PDF-1."},     {"pdf", "GIF87a"}};
  for (const auto& n : names) {
    TempDir dir;
    ASSERT_EQ(0,
              run_afcdraw({"IN=" AFCDRAW_EXAMPLES "/geophone_1hz.txt", "OUT=" + dir.path(n.name)})
                  .status);
    EXPECT_EQ(n.signature, read_file(dir.path(n.name)).substr(0, n.signature.size())) << n.name;
  }
}

TEST(CompareResponses, PngHasTheGifsPixels) {
  TempDir dir;
  std::vector<std::string> args{"IN=" AFCDRAW_EXAMPLES "/geophone_1hz.txt",
                                "IN2=" AFCDRAW_EXAMPLES "/accelerometer_50hz.txt",
                                "IN3=" AFCDRAW_EXAMPLES "/broadband_120s.txt",
                                "NAME=geophone",
                                "NAME3=broadband",
                                "CAPTION=Three",
                                "X_AXIS=0.01,100"};
  args.push_back("OUT=" + dir.path("a.gif"));
  ASSERT_EQ(0, run_afcdraw(args).status);
  args.back() = "OUT=" + dir.path("a.png");
  args.push_back("FORMAT=png");
  ASSERT_EQ(0, run_afcdraw(args).status);
  DecodedImage gif = decode_gif(read_file(dir.path("a.gif")));
  DecodedImage png = decode_png(read_file(dir.path("a.png")));
  ASSERT_TRUE(gif && png);
  ASSERT_FALSE(gdImageTrueColor(png.get()));
  ASSERT_EQ(gdImageSX(gif.get()), gdImageSX(png.get()));
  ASSERT_EQ(gdImageSY(gif.get()), gdImageSY(png.get()));
  int differences = 0;
  for (int y = 0; y < gdImageSY(gif.get()); ++y) {
    for (int x = 0; x < gdImageSX(gif.get()); ++x)
      differences += !(rgb(gif, x, y) == rgb(png, x, y));
  }
  EXPECT_EQ(0, differences);
  EXPECT_EQ(7, gdImageColorsTotal(png.get()));
}

TEST(CompareResponses, DashMeansTheStandardStreams) {
  TempDir dir;
  const std::string in = AFCDRAW_EXAMPLES "/geophone_1hz.txt";
  write_file(dir.path("-"), read_file(in));
  ASSERT_EQ(0, run_afcdraw({"IN=" + in, "OUT=" + dir.path("file.gif")}).status);
  const std::string picture = read_file(dir.path("file.gif"));
  const struct {
    std::vector<std::string> args;
    std::string picture;  // printed on standard output
  } cases[] = {
      {{"IN=-", "OUT=-"}, picture},
      {{"IN=" + dir.path("-"), "OUT=-"}, picture},  // a file named - is reached by its path
      {{"IN=" + in, "IN2=-", "OUT=-"}, ""},
  };
  for (const auto& c : cases) {
    RunResult r = run_afcdraw(c.args, {"LC_ALL=C"}, in);
    EXPECT_EQ(0, r.status);
    if (!c.picture.empty()) {
      EXPECT_EQ(c.picture, r.out);
    }
    EXPECT_TRUE(decode_gif(r.out)) << c.args[1];
  }
  // An empty standard input fails like an empty file, and names its key.
  RunResult r =
      run_afcdraw({"IN=" + in, "IN2=-", "OUT=" + dir.path("x.gif")}, {"LC_ALL=C"}, "/dev/null");
  EXPECT_EQ(254, r.status);
  EXPECT_EQ("read_in(): Unable to read file content: IN2=-\n", r.out);
}

TEST(CompareResponses, VersionWinsOverEverythingElse) {
  const std::vector<std::string> cases[] = {
      {"--version"},
      {"IN=a.txt", "OUT=b.gif", "--version"},
      {"--VERSION", "/?"},
      {"X_AXIS=10;1", "--Version", "FORMAT=jpg"},
  };
  for (const auto& args : cases) {
    RunResult r = run_afcdraw(args);
    EXPECT_EQ(0, r.status) << args[0];
    EXPECT_EQ("afcdraw " AFCDRAW_VERSION "\n", r.out) << args[0];
  }
  EXPECT_STRNE("", AFCDRAW_VERSION);
}

// The legend box of a one-letter name stands 10 pixels inside the plot
// area's top corner: its frame's outer corner, and the end of the short
// line in the curve's colour on the first row.
struct LegendSpot {
  int corner_x, sample_end_x;
};
constexpr LegendSpot at_right{770, 749}, at_left{70, 99};
constexpr int legend_top = 70, sample_row = 84;

TEST(CompareResponses, LegendStaysRightUnlessTheCurvesCrossThereMore) {
  const struct {
    std::vector<std::string> keys;
    std::vector<std::string> texts;
    std::vector<std::string> names;
    const LegendSpot* spot;  // nullptr: no legend
    Rgb sample;
  } cases[] = {
      {{"IN="}, {"0.001 100\n20 1\n"}, {"NAME=a"}, &at_right, red},  // falls from top left
      {{"IN="}, {"0.001 1\n20 100\n"}, {"NAME=a"}, &at_left, red},   // rises to top right
      {{"IN=", "IN2="}, {flat("1"), flat("100")}, {"NAME2=b"}, &at_right, blue},  // tie
      {{"IN=", "IN2="}, {flat("1"), flat("100")}, {"NAME3=c"}, nullptr, red},     // no such curve
      {{"IN=", "IN2="}, {flat("1"), "0.001 1\n20 100\n"}, {}, nullptr, red},
  };
  for (const auto& c : cases) {
    TempDir dir;
    std::vector<std::string> args = inputs(dir, c.keys, c.texts);
    args.insert(args.end(), c.names.begin(), c.names.end());
    args.push_back("OUT=" + dir.path("out.gif"));
    ASSERT_EQ(0, run_afcdraw(args).status);
    DecodedImage im = decode_gif(read_file(dir.path("out.gif")));
    ASSERT_TRUE(im);
    for (const LegendSpot* spot : {&at_right, &at_left}) {
      bool here = spot == c.spot;
      EXPECT_EQ(here, rgb(im, spot->corner_x, legend_top) == black) << c.texts.back();
      EXPECT_EQ(here, rgb(im, spot->sample_end_x, sample_row) == c.sample) << c.texts.back();
    }
    if (c.spot == nullptr) {
      EXPECT_TRUE(rgb(im, 100, 100) == grey);
    }
  }
}

}  // namespace
