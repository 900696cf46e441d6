// The report's layout as a reader of the PDF meets it, over a table of
// sizes and label widths: no axis name touches a tick label, and the text
// grows with the picture. pdftotext -bbox gives each word's box in points.

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <string>
#include <vector>

#include "support/test_files.h"

namespace {

const std::string geophone = "IN=" AFCDRAW_EXAMPLES "/geophone_1hz.txt";
const std::string unit_a = "IN2=" AFCDRAW_EXAMPLES "/geophone_unit_a.txt";
// Upper case: the names are the only words with capitals.
const std::vector<std::string> names{"DIMX=XNAME", "DIMY=YNAME", "DIMP=PNAME", "DIMD=DNAME",
                                     "DIMDP=QNAME"};

struct Box {
  double x0, y0, x1, y1;
  std::string text;
};

std::vector<Box> word_boxes(const std::string& bbox_html) {
  static const std::regex word(
      R"re(xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)<)re");
  std::vector<Box> boxes;
  for (std::sregex_iterator i(bbox_html.begin(), bbox_html.end(), word), end; i != end; ++i) {
    const std::smatch& m = *i;
    boxes.push_back({std::stod(m[1]), std::stod(m[2]), std::stod(m[3]), std::stod(m[4]), m[5]});
  }
  return boxes;
}

bool is_name(const Box& b) {
  return std::any_of(b.text.begin(), b.text.end(), [](char c) { return 'A' <= c && c <= 'Z'; });
}

// The room between two boxes: negative when they overlap.
double gap(const Box& a, const Box& b) {
  double dx = std::max(b.x0 - a.x1, a.x0 - b.x1);
  double dy = std::max(b.y0 - a.y1, a.y0 - b.y1);
  return std::max(dx, dy);
}

// A DejaVu Sans word box is 1.164 of the text size high.
constexpr double box_per_point = 1.164;

TEST(ReportRoom, AxisNamesClearTheLabelsAndTextGrowsWithThePicture) {
  const std::vector<std::string> wide{"Y_AXIS=12345670;12345678", "-linY"};
  const std::vector<std::string> small{"Y_AXIS=-0.000123;-0.000121", "-linY"};
  const std::vector<std::string> decades{"Y_AXIS=1e-150;1e150"};
  const struct {
    std::string size;
    std::vector<std::string> args;
    double label_pt;  // the tick labels' size
    int names = 2;    // seen at least
  } cases[] = {
      // 9.75 pt at 800 x 600, as the smaller side's share of it grows.
      {"SIZE=640;480", wide, 7.8},
      {"SIZE=800;600", {}, 9.75},
      {"SIZE=800;600", small, 9.75},
      {"SIZE=1600;1200", decades, 19.5},
      {"SIZE=3000;900", wide, 14.625},
      {"SIZE=10000;10000", wide, 121.875},
      {"SIZE=10000;480", small, 7.8},
      {"SIZE=640;10000", wide, 7.8},
      {"SIZE=640;10000", decades, 7.8},
      {"SIZE=800;600", {"-phase", "-diff", "-fit", unit_a, "Y_AXIS=12345670;12345678"}, 9.75},
      {"SIZE=10000;480", {"-phase", "-diff", unit_a, "-linY", "Y_AXIS=-0.000123;-0.000121"}, 7.8},
      {"SIZE=85mmx60mm", wide, 3.685},
      {"SIZE=85mmx60mm", {"FONT=8", "-phase", "-linY", "Y_AXIS=-0.000123;-0.000121"}, 8},
      {"SIZE=800;600", {"FONT=14", "-phase", "Y_AXIS=12345670;12345678"}, 14},
      // Labels wider than half the picture but for the names: no upright names.
      {"SIZE=800;600", {"FONT=25", "-linY", "Y_AXIS=-1.00000000002e-6;-1.00000000001e-6"}, 25, 1},
      {"SIZE=640;480", {"FONT=19.5", "-phase", "-linY", "Y_AXIS=12345670.25;12345678"}, 19.5, 1},
  };
  for (const auto& c : cases) {
    TempDir dir;
    std::vector<std::string> args{geophone, "OUT=" + dir.path("a.pdf"), c.size};
    args.insert(args.end(), names.begin(), names.end());
    args.insert(args.end(), c.args.begin(), c.args.end());
    std::string name = c.size + (c.args.empty() ? "" : " " + c.args.front());
    RunResult r = run_afcdraw(args);
    ASSERT_LE(r.status, 1) << name << r.err;  // 1: a deviation beyond the tolerance
    RunResult text = run_shell(dir.dir(), "pdftotext -bbox a.pdf -");
    ASSERT_EQ(0, text.status) << name;
    std::vector<Box> boxes = word_boxes(text.out);
    double tallest = 0;
    int names_seen = 0;
    for (const Box& n : boxes) {
      if (!is_name(n)) {
        tallest = std::max(tallest, n.y1 - n.y0);
        continue;
      }
      ++names_seen;
      for (const Box& t : boxes) {
        if (is_name(t)) continue;
        EXPECT_GT(gap(n, t), 0) << name << ": " << n.text << " and " << t.text;
      }
    }
    EXPECT_GE(names_seen, c.names) << name;
    EXPECT_NEAR(1.0, tallest / box_per_point / c.label_pt, 0.03) << name;
  }
}

}  // namespace
