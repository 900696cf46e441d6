// A figure for a document: a page of a physical size, text and curves in
// points, as the tools a document is made with measure them.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/test_files.h"

namespace {

const std::string geophone = "IN=" AFCDRAW_EXAMPLES "/geophone_1hz.txt";

TEST(FigureSize, PagesTextAndLinesComeOutAsAsked) {
  const struct {
    std::vector<std::string> args;  // after IN=; OUT= names a file in the test's folder
    int status;
    std::string err;    // held by standard error; empty: nothing required
    std::string check;  // a shell command in the folder; its output must hold `seen`
    std::string seen;
  } cases[] = {
      // 85 mm = 240.945 pt, 60 mm = 170.079 pt.
      {{"OUT=a.pdf", "SIZE=85mmx60mm"}, 0, "", "pdfinfo a.pdf", "240.945 x 170.079 pts"},
      {{"OUT=a.svg", "SIZE=12cmx9cm"}, 0, "", "head -2 a.svg", "width=\"340.15748pt\""},
      // A word box is 1.164 of the size high in DejaVu Sans: 8 pt, 9.31.
      {{"OUT=a.pdf", "SIZE=85mmx60mm", "FONT=8"},
       0,
       "",
       "pdftotext -bbox a.pdf - | awk -F'\"' '/>10</ {printf \"h%.1f\\n\", $8 - $4}' | sort -u",
       "h9.3\n"},
      {{"OUT=b.png", "FORMAT=PNG", "-report", "SIZE=3.35inx2.5in", "DPI=300"},
       0,
       "",
       "file b.png",
       "1005 x 750"},
      // 2 pt at 96 pixels per inch on an 800 x 600 picture; 2 units (1.5 pt) without.
      {{"OUT=c.svg", "LW=2"},
       0,
       "",
       "grep -o 'stroke-width:2.666667' c.svg",
       "stroke-width:2.666667"},
      {{"OUT=x.gif", "FONT=8", "LW=1"},
       0,
       "FONT= has no effect without -report",
       "\"$AFCDRAW\" " + geophone + " OUT=y.gif >/dev/null 2>&1; cmp x.gif y.gif && echo same",
       "same"},
      // The fixed-cell style reads a page as pixels, as SIZE= always did.
      {{"OUT=x.gif", "SIZE=85mmx60mm"},
       0,
       "SIZE= value \"85mmx60mm\" not used as given: 800x600",
       "\"$AFCDRAW\" " + geophone + " OUT=y.gif >/dev/null 2>&1; cmp x.gif y.gif && echo same",
       "same"},
      // Not a page: read as pixels, as SIZE= always read it.
      {{"OUT=x.pdf", "SIZE=85mm"}, 0, "SIZE= value \"85mm\" not used as given: 800x600", "", ""},
      {{"OUT=x.pdf", "SIZE=1inx1in"}, 255, "lies outside 144x108", "", ""},
      {{"OUT=x.png", "-report", "SIZE=85mmx60mm", "DPI=96"}, 255, "321x227 pixels", "", ""},
      {{"OUT=x.pdf", "FONT=0"}, 255, "FONT= value \"0\"", "", ""},
      {{"OUT=x.pdf", "SIZE=85mmx60mm", "FONT=40"}, 255, "FONT= value: 40 pt", "", ""},
      // The largest size said to fit does (20.06 pt here, said as 20.1 once).
      {{"OUT=x.pdf", "SIZE=3000x480", "FONT=100"}, 255, "at most 20.0 pt fits", "", ""},
      {{"OUT=x.pdf", "SIZE=3000x480", "FONT=20.1"}, 255, "at most 20.0 pt fits", "", ""},
      {{"OUT=x.pdf", "SIZE=3000x480", "FONT=20.0"}, 0, "", "", ""},
      {{"OUT=x.pdf", "SIZE=640x480", "FONT=25"}, 255, "at most 20.0 pt fits", "", ""},
      {{"OUT=x.pdf", "SIZE=640x480", "FONT=20.0"}, 0, "", "", ""},
      {{"OUT=x.pdf", "LW=-1"}, 255, "LW= value \"-1\"", "", ""},
      {{"OUT=x.png", "-report", "DPI=abc"}, 255, "DPI= value \"abc\"", "", ""},
  };
  for (const auto& c : cases) {
    TempDir dir;
    std::vector<std::string> args{geophone};
    for (const std::string& a : c.args) {
      args.push_back(a.rfind("OUT=", 0) == 0 ? "OUT=" + dir.path(a.substr(4)) : a);
    }
    RunResult r = run_afcdraw(args);
    std::string name = c.args[0] + " " + c.args.back();
    ASSERT_EQ(c.status, r.status) << name << r.out << r.err;
    EXPECT_NE(std::string::npos, r.err.find(c.err)) << name << r.err;
    if (c.check.empty()) continue;
    RunResult check = run_shell(dir.dir(), c.check);
    EXPECT_NE(std::string::npos, check.out.find(c.seen)) << name << ": " << check.out;
  }
}

}  // namespace
