#include "input/str2graph.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/last_error.h"
#include "input/read_in.h"
#include "support/test_files.h"

namespace {

using Points = std::vector<std::pair<double, double>>;

// The points str2graph finds in a file holding `bytes`, or nothing on
// failure; given `phases`, the phase points too.
Points extract(const std::string& bytes, int& result, Points* phases = nullptr) {
  TempDir dir;
  write_file(dir.path("in.txt"), bytes);
  FileText text;
  PointList points{{9, 9}}, phase_list{{9, 9}};  // emptied first
  result = read_in(dir.path("in.txt").c_str(), text);
  if (result == 0) {
    result = phases == nullptr ? str2graph(std::move(text), points)
                               : str2graph_with_phases(std::move(text), points, phase_list);
  }
  Points out;
  for (const ResponsePoint& p : points) out.emplace_back(p.x, p.y);
  for (const ResponsePoint& p : phase_list) {
    if (phases != nullptr) phases->emplace_back(p.x, p.y);
  }
  return out;
}

TEST(Str2graph, PointsInFileOrder) {
  const struct {
    std::string bytes;
    Points points;
  } cases[] = {
      {"100 0.5\r\n200 0.25\r\n", {{100, 0.5}, {200, 0.25}}},
      {"10 1\n1 2\n10 1\n", {{10, 1}, {1, 2}, {10, 1}}},
      {"Freq Amp\n100\n   \n\n\n1 2\n", {{1, 2}}},
      {"1.000000E-03  2.159785E+01  0.000000E+00\n", {{0.001, 21.59785}}},
      {"-1 5\n5 -1\n5 -1.0e0\n5 -1.5\n", {{5, -1.5}}},
      {"1 2\r3 4\r5 6\r", {{1, 2}}},  // lone CRs: one line
      {"1 2\r\r\n3 4", {{1, 2}, {3, 4}}},
      {"10 ; 5\n10;5\n", {{10, 5}}},
      {"1 2\n\x1A"
       "3 4\n",
       {{1, 2}}},
      {"1e999 5\n5 1e999\n1e-999 5\n", {{0, 5}}},
      {"nan 1\n1 nan\ninf 2\n7 8", {{7, 8}}},
      {"+.5;5.\n", {{0.5, 5}}},
  };
  for (const auto& c : cases) {
    int result;
    Points points = extract(c.bytes, result);
    EXPECT_EQ(0, result) << testing::PrintToString(c.bytes);
    EXPECT_EQ(c.points, points) << testing::PrintToString(c.bytes);
  }
}

TEST(Str2graph, NoAcceptableLine) {
  for (std::string bytes :
       {std::string("Freq Amp\n"), std::string("\n\n\n"), std::string("-1 -1\n"),
        std::string("\0"
                    "1 2",
                    4),
        std::string(100000, '\n')}) {
    int result;
    Points points = extract(bytes, result);
    EXPECT_EQ(-1, result) << testing::PrintToString(bytes.substr(0, 20));
    EXPECT_EQ("str2graph(): Couldn't find any point", last_error);
    EXPECT_TRUE(points.empty());
  }
}

// Big texts are read in two halves at once, the second straight after room
// for the first half's lines: nothing may be lost, doubled or reordered at
// the seam, wherever it falls, nor when the first half's lines (here 5 MB of
// empty ones) are more than the list has room for; the phases (on two lines
// of three) no more than the points.
TEST(Str2graph, BigTextsKeepEveryPointInOrder) {
  const struct {
    const char* line_end;
    size_t empty_lines;
  } cases[] = {{"\n", 0}, {"\r\n", 0}, {"\n\n", 0}, {"\n", size_t{5} << 20}};
  for (const auto& [line_end, empty_lines] : cases) {
    std::string bytes(empty_lines, '\n');
    int lines = 0;
    while (bytes.size() < empty_lines + (size_t{9} << 20)) {
      ++lines;
      std::string phase = lines % 3 ? "  -" + std::to_string(lines) + ".25" : "";
      bytes += std::to_string(lines) + ".5  " + (lines % 7 ? "2.25" : "x") + phase + line_end;
    }
    for (bool with_phases : {false, true}) {
      int result;
      Points phases;
      Points points = extract(bytes, result, with_phases ? &phases : nullptr);
      ASSERT_EQ(0, result);
      ASSERT_EQ(static_cast<size_t>(lines - lines / 7), points.size()) << line_end;
      size_t i = 0, k = 0;
      for (int n = 1; n <= lines; ++n) {
        if (n % 7 == 0) continue;
        ASSERT_EQ(n + 0.5, points[i].first) << n;
        ASSERT_EQ(2.25, points[i++].second);
        if (!with_phases || n % 3 == 0) continue;
        ASSERT_LT(k, phases.size()) << n;
        ASSERT_EQ(n + 0.5, phases[k].first) << n;
        ASSERT_EQ(-(n + 0.25), phases[k++].second) << n;
      }
      EXPECT_EQ(k, phases.size()) << line_end;
    }
  }
}

// The phase column, read only when asked for: a point line with a third
// number gives a phase point, one without gives the amplitude point alone.
TEST(Str2graph, PhasesWhenAskedFor) {
  const struct {
    std::string bytes;
    Points points;
    Points phases;
  } cases[] = {
      {"1.000000E-03  2.159785E+01  -1.787425E+02\n", {{0.001, 21.59785}}, {{0.001, -178.7425}}},
      {"1;2;30\r\n2,4,-1\n3 5\n4 6 x\n", {{1, 2}, {2, 4}, {3, 5}, {4, 6}}, {{1, 30}, {2, -1}}},
      {"1 2 3\n-1 5 7\n5 nan 7\n6 7 nan\n6 7 1e999\n", {{1, 2}, {6, 7}, {6, 7}}, {{1, 3}}},
      {"1 2  \t45\n1 2 ; 45\n", {{1, 2}, {1, 2}}, {{1, 45}}},
      {"7 8\n7 8 \n7 8 9", {{7, 8}, {7, 8}, {7, 8}}, {{7, 9}}},  // lines ending early
  };
  for (const auto& c : cases) {
    TempDir dir;
    write_file(dir.path("in.txt"), c.bytes);
    FileText text;
    ASSERT_EQ(0, read_in(dir.path("in.txt").c_str(), text));
    PointList points, phases{{9, 9}};
    ASSERT_EQ(0, str2graph_with_phases(std::move(text), points, phases));
    Points got_points, got_phases;
    for (const ResponsePoint& p : points) got_points.emplace_back(p.x, p.y);
    for (const ResponsePoint& p : phases) got_phases.emplace_back(p.x, p.y);
    EXPECT_EQ(c.points, got_points) << testing::PrintToString(c.bytes);
    EXPECT_EQ(c.phases, got_phases) << testing::PrintToString(c.bytes);
  }
}

}  // namespace
