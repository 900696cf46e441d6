// The report style as users meet it: the files it writes are read by the
// tools a report is made with, carry the caption's text, are anti-aliased,
// grow their text with the picture and come out the same every time.

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "support/gif_reader.h"
#include "support/noisy_response.h"
#include "support/test_files.h"

namespace {

const std::string geophone = "IN=" AFCDRAW_EXAMPLES "/geophone_1hz.txt";
const std::string caption = "CAPTION=Частота, Гц: µm ±5 % °";

struct Rgb {
  int r, g, b;
};

Rgb rgb(const DecodedImage& im, int x, int y) {
  int c = gdImageGetPixel(im.get(), x, y);
  return {gdImageRed(im.get(), c), gdImageGreen(im.get(), c), gdImageBlue(im.get(), c)};
}

// The rows from the first to the last one holding dark pixels, above `below`.
int ink_height(const DecodedImage& im, int below) {
  int first = -1, last = -1;
  for (int y = 0; y < below; ++y) {
    for (int x = 0; x < gdImageSX(im.get()); ++x) {
      if (rgb(im, x, y).g < 128) {
        if (first < 0) first = y;
        last = y;
        break;
      }
    }
  }
  return first < 0 ? 0 : last - first + 1;
}

TEST(Report, FilesAreReadByTheToolsOfAReport) {
  const struct {
    std::string name;
    std::string check;  // a shell command over the file; its output must hold the caption
  } cases[] = {
      {"a.svg", "xmllint --noout a.svg && xmllint --xpath 'string(/*/*[1])' a.svg"},
      {"a.pdf", "pdfinfo a.pdf >/dev/null && pdftotext a.pdf -"},
  };
  for (const auto& c : cases) {
    TempDir dir;
    RunResult r = run_afcdraw({geophone, "OUT=" + dir.path(c.name), caption, "-phase"});
    ASSERT_EQ(0, r.status) << r.out << r.err;
    RunResult check = run_shell(dir.dir(), c.check);
    EXPECT_EQ(0, check.status) << c.name;
    EXPECT_NE(std::string::npos, check.out.find("Частота, Гц: µm ±5 % °")) << c.name << check.out;
  }
}

TEST(Report, PngIsAntiAliasedAndTextGrowsWithTheSize) {
  TempDir dir;
  int heights[2];
  const char* sizes[] = {"SIZE=800;600", "SIZE=1600;1200"};
  const char* names[] = {"a.png", "b.png"};
  for (int i = 0; i < 2; ++i) {
    std::string out = dir.path(names[i]);
    ASSERT_EQ(0, run_afcdraw({geophone, "OUT=" + out, "/REPORT", sizes[i], caption}).status);
    DecodedImage im = decode_png(read_file(out));
    ASSERT_TRUE(im);
    ASSERT_TRUE(gdImageTrueColor(im.get()));
    heights[i] = ink_height(im, 40 * (i + 1));
    // The red curve's edges blend into the white plot: pink, not only red.
    int blended = 0;
    for (int y = 0; y < gdImageSY(im.get()); ++y) {
      for (int x = 0; x < gdImageSX(im.get()); ++x) {
        Rgb p = rgb(im, x, y);
        blended += p.r > 200 && p.g == p.b && 40 < p.g && p.g < 215;
      }
    }
    EXPECT_GT(blended, 100) << sizes[i];
  }
  EXPECT_GT(heights[0], 8);
  EXPECT_NEAR(2.0, static_cast<double>(heights[1]) / heights[0], 0.25);
}

// A report PNG is drawn and encoded a band at a time: a picture of
// 10000x10000 never holds its 400 MB of pixels.
TEST(Report, ALargePngIsDrawnABandAtATime) {
  TempDir dir;
  RunResult r = run_afcdraw(
      {geophone, "OUT=" + dir.path("big.png"), "-report", "-phase", "SIZE=10000x10000"});
  ASSERT_EQ(0, r.status);
  EXPECT_LT(r.max_rss_kb, 128 * 1024);
  std::string png = read_file(dir.path("big.png"));
  ASSERT_GT(png.size(), size_t{33});
  EXPECT_EQ(std::string("\0\0\x27\x10\0\0\x27\x10", 8), png.substr(16, 8));  // its header
  EXPECT_EQ("IEND", png.substr(png.size() - 8, 4));
}

TEST(Report, SameCommandLineSameBytes) {
  for (const char* name : {"a.png", "a.svg", "a.pdf", "a.gif"}) {
    TempDir dir;
    std::vector<std::string> args{geophone,       "IN2=" AFCDRAW_EXAMPLES "/geophone_unit_a.txt",
                                  "NAME=nominal", "NAME2=unit A",
                                  "-report",      caption,
                                  "-phase"};
    std::string out = dir.path(name);
    args.push_back("OUT=" + out);
    ASSERT_EQ(0, run_afcdraw(args).status) << name;
    std::string first = read_file(out);
    ASSERT_EQ(0, run_afcdraw(args, {"LC_ALL=C", "TZ=Asia/Tokyo"}).status) << name;
    EXPECT_EQ(first, read_file(out)) << name;
    EXPECT_EQ(std::string::npos, first.find("CreationDate")) << name;
  }
}

TEST(Report, GifIsThePictureReducedToAPalette) {
  TempDir dir;
  ASSERT_EQ(0, run_afcdraw({geophone, "OUT=" + dir.path("a.gif"), "-report"}).status);
  DecodedImage im = decode_gif(read_file(dir.path("a.gif")));
  ASSERT_TRUE(im);
  EXPECT_GT(gdImageColorsTotal(im.get()), 16);
}

}  // namespace

namespace {

// The fast binary installed without the full one still draws today's
// pictures, and refuses a report picture with a message; the full binary
// needs no file of its own to draw one (cairo is linked in).
TEST(Report, WithoutTheFullBinaryAReportFailsClearly) {
  const struct {
    const char* binary;
    int status;
    std::string out;
    std::vector<std::string> entries;
  } cases[] = {
      {"$AFCDRAW", 252, "draw_report(): Report style unavailable\n", {"a.gif", "afcdraw"}},
      {"$AFCDRAW_FULL", 0, "", {"a.gif", "a.svg", "afcdraw"}},
  };
  for (const auto& c : cases) {
    // A build without a fast binary (the sanitizers') has the full one only.
    bool fast = c.status != 0;
    if (fast && std::string(AFCDRAW_BIN) == AFCDRAW_FULL_BIN) continue;
    TempDir dir;
    RunResult r =
        run_shell(dir.dir(), std::string("cp \"") + c.binary +
                                 "\" ./afcdraw && ./afcdraw IN=" AFCDRAW_EXAMPLES
                                 "/geophone_1hz.txt OUT=a.gif && ./afcdraw IN=" AFCDRAW_EXAMPLES
                                 "/geophone_1hz.txt OUT=a.svg 2>/dev/null");
    EXPECT_EQ(c.status, r.status) << c.binary;
    EXPECT_EQ(c.out, r.out) << c.binary;
    EXPECT_EQ(c.entries, dir.entries()) << c.binary;
  }
  // The fast binary tries to hand a -report run over twice, at once and
  // once it knows it draws a report; without the full binary it says so once.
  if (std::string(AFCDRAW_BIN) == AFCDRAW_FULL_BIN) return;
  TempDir dir;
  RunResult r = run_shell(dir.dir(), "cp \"$AFCDRAW\" ./afcdraw && ./afcdraw IN=" AFCDRAW_EXAMPLES
                                     "/geophone_1hz.txt OUT=a.png -Report 2>err.txt; s=$?; "
                                     "grep -c 'full binary cannot be started' err.txt; exit $s");
  EXPECT_EQ(252, r.status);
  EXPECT_EQ("draw_report(): Report style unavailable\n1\n", r.out);
}

// The system calls a run of the fast binary in bin/ makes before the first
// that is neither an execve nor a readlink: each execve by its program's
// name and whether it ran.
std::vector<std::string> first_calls(const std::string& full_at, const std::string& report) {
  TempDir dir;
  std::string place = full_at.empty() ? "" : dir.path(full_at);
  run_shell(dir.dir(), "mkdir -p bin " + (place.empty() ? "" : "\"" + place + "\"") +
                           " && cp \"$AFCDRAW\" bin/afcdraw" +
                           (place.empty() ? "" : " && cp \"$AFCDRAW_FULL\" \"" + place + "\"/"));
  run_shell(dir.dir(), "strace -o trace.txt bin/afcdraw IN=" AFCDRAW_EXAMPLES
                       "/geophone_1hz.txt OUT=a.png " +
                           report + " 2>/dev/null");
  std::vector<std::string> calls;
  std::istringstream trace(read_file(dir.path("trace.txt")));
  for (std::string line; std::getline(trace, line);) {
    if (line.starts_with("readlink(")) {
      calls.push_back("readlink");
    } else if (line.starts_with("execve(\"")) {
      std::string program = line.substr(8, line.find('"', 8) - 8);
      program = program.substr(program.rfind('/') + 1);
      calls.push_back(program + (line.ends_with(" = 0") ? " ran" : " failed"));
    } else {
      break;
    }
  }
  return calls;
}

// A -report run leaves the fast binary before its C library starts (that
// start costs a virtual machine about 0.5 ms): its first system calls look
// for the full binary beside it, then in the module folder where the
// package puts it. Where there is none, the library starts and the run
// goes on to say so.
TEST(Report, AReportRunLeavesTheFastBinaryFirstThing) {
  if (std::string(AFCDRAW_BIN) == AFCDRAW_FULL_BIN) return;  // no fast binary here
  const std::string module = std::string("bin/") + AFCDRAW_MODULE_DIR;
  const struct {
    std::string full_at, report;
    std::vector<std::string> calls;
  } cases[] = {
      {"bin", "-report", {"afcdraw ran", "readlink", "afcdraw-full ran"}},
      {"bin", "-rEPORT -phase", {"afcdraw ran", "readlink", "afcdraw-full ran"}},
      {module, "-report", {"afcdraw ran", "readlink", "afcdraw-full failed", "afcdraw-full ran"}},
      {"", "-report", {"afcdraw ran", "readlink", "afcdraw-full failed", "afcdraw-full failed"}},
      {"bin", "-reports", {"afcdraw ran"}},
      {"bin", "", {"afcdraw ran"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.calls, first_calls(c.full_at, c.report)) << c.full_at << " " << c.report;
  }
}

}  // namespace

namespace {

// Phases that cannot be placed (+-1e308) leave their panel without
// curves; its frequency labels, the picture's only ones, stay.
TEST(Report, PhasesLeftOutKeepTheFrequencyLabels) {
  TempDir dir;
  write_file(dir.path("p.txt"), "1 1 1e308\n2 1 -1e308\n");
  RunResult r = run_shell(dir.dir(),
                          "\"$AFCDRAW\" IN=p.txt OUT=a.pdf -report -fit -phase 2>/dev/null && "
                          "pdftotext a.pdf -");
  EXPECT_NE(std::string::npos, r.out.find("1.5·10")) << r.out;
}

// Curves of 2^16 points and more are traced for their two panels on two
// threads; the picture is the same bytes on every run and in a batch, where
// a race between the threads would likely show.
TEST(Report, DenseTwoPanelPicturesAreTheSameEveryTime) {
  TempDir dir;
  write_file(dir.path("dense.txt"), noisy_response(80000, 4.0, 7, 100, 45, 10));
  write_file(dir.path("jobs.txt"), "IN=dense.txt -report -phase OUT=batch.png\n");
  const std::string alone = "\"$AFCDRAW\" IN=dense.txt -report -phase OUT=";
  RunResult r = run_shell(
      dir.dir(), alone + "a.png && " + alone + "b.png && \"$AFCDRAW\" --batch jobs.txt JOBS=1");
  ASSERT_EQ(0, r.status) << r.out;
  std::string a = read_file(dir.path("a.png"));
  EXPECT_EQ(a, read_file(dir.path("b.png")));
  EXPECT_EQ(a, read_file(dir.path("batch.png")));
  EXPECT_TRUE(decode_png(a));
}

// 10^5 noisy points in frequency order thin to a few per column; in random
// order they cannot, and the curve goes into the file as a raster.
TEST(Report, VectorFilesStaySmall) {
  for (bool ordered : {true, false}) {
    TempDir dir;
    std::string points;
    unsigned state = 1;
    for (int i = 0; i < 100000; ++i) {
      state = state * 1103515245u + 12345u;
      double f = ordered ? 0.001 * std::pow(10.0, 4.0 * i / 100000) : 0.001 + (state >> 8) % 20000;
      points += std::to_string(f) + " " + std::to_string(1 + (state >> 16) % 100) + "\n";
    }
    write_file(dir.path("in.txt"), points);
    ASSERT_EQ(0, run_afcdraw({"IN=" + dir.path("in.txt"), "OUT=" + dir.path("a.svg")}).status);
    EXPECT_LT(read_file(dir.path("a.svg")).size(), 300000u) << ordered;
    EXPECT_EQ(0, run_shell(dir.dir(), "xmllint --noout a.svg").status) << ordered;
  }
}

}  // namespace
