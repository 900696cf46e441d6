// The report's legend, larger with its text, still keeps off a lone point:
// the point in a top corner sends it to the other one.

#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "support/test_files.h"

namespace {

TEST(ReportLegend, KeepsOffALonePoint) {
  const struct {
    std::string lone;  // the second curve: one point near a top corner
    bool legend_left;
  } cases[] = {{"70 50\n", true}, {"0.15 50\n", false}};
  for (const auto& c : cases) {
    TempDir dir;
    write_file(dir.path("flat.txt"), "0.1 1\n1 1\n10 1\n100 1\n");
    write_file(dir.path("lone.txt"), c.lone);
    RunResult r = run_afcdraw({"IN=" + dir.path("flat.txt"), "IN2=" + dir.path("lone.txt"),
                               "NAME=flatline", "NAME2=lonely", "X_AXIS=0.1;100", "Y_AXIS=0.5;60",
                               "OUT=" + dir.path("a.pdf")});
    ASSERT_EQ(0, r.status) << r.err;
    RunResult text = run_shell(dir.dir(), "pdftotext -bbox a.pdf -");
    std::smatch m;
    ASSERT_TRUE(std::regex_search(text.out, m, std::regex(R"re(xMin="([\d.]+)"[^>]*>lonely<)re")))
        << text.out;
    constexpr double half_page = 300;  // of an 800 x 600 picture's 600 pt
    EXPECT_EQ(c.legend_left, std::stod(m[1]) < half_page) << c.lone;
  }
}

}  // namespace
