#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "support/gif_reader.h"
#include "support/test_files.h"

namespace {

const std::string data = AFCDRAW_TEST_DATA;

struct Column {
  std::vector<double> f, v;
};

// Lines of two numbers; "#" lines and a third column as a FAP file has them.
Column read_columns(const std::string& text, int column) {
  Column c;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    double f, a, p = NAN;
    fields >> f >> a >> p;
    c.f.push_back(f);
    c.v.push_back(column == 1 ? a : p);
  }
  return c;
}

// The distance of two phases modulo a turn, in degrees.
double phase_error(double a, double b) {
  return std::fabs(std::remainder(a - b, 360.0));
}

// The published outputs of a response evaluator for three public channels,
// reproduced through FORMAT=FAP: 1e-5 of the amplitude, 1e-3 degree.
TEST(MetadataCurve, EvaluatorOutputsReproduced) {
  const std::string resp = data + "/resp/", xml = data + "/station-metadata/";
  const struct {
    std::string input, expected;
    std::vector<std::string> args;
  } cases[] = {
      {resp + "RESP.Z.CGV..HYZ", resp + "expected/simple/direct/%s.Z.CGV..HYZ", {"UNITS=VEL"}},
      {resp + "RESP.Z.CGV..HYZ", resp + "expected/args/units_dis/%s.Z.CGV..HYZ", {"UNITS=DIS"}},
      {resp + "RESP.Z.CGV..HYZ", resp + "expected/args/units_def/%s.Z.CGV..HYZ", {}},
      {resp + "RESP.Z.CGV..HYZ", resp + "expected/args/stage_3_5/%s.Z.CGV..HYZ", {"STAGES=3,5"}},
      {resp + "RESP.Z.CGV..HYZ",
       resp + "expected/args/linear_space/%s.Z.CGV..HYZ",
       {"UNITS=VEL", "-linX"}},
      {xml + "TITA1.HGZ",
       xml + "expected/simple/open/%s.XX.TITA1..HGZ",
       {"UNITS=VEL", "TIME=2019,001"}},
      {resp + "RESP.IM.ATTU..BHE",
       resp + "expected/simple/direct_2/%s.IM.ATTU..BHE",
       {"UNITS=VEL", "TIME=1998,057"}},
  };
  TempDir dir;
  for (const auto& c : cases) {
    std::vector<std::string> args{"IN=" + c.input, "OUT=" + dir.path("o.fap"), "X_AXIS=0.001;10",
                                  "POINTS=100", "-phase"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    RunResult r = run_afcdraw(args);
    ASSERT_EQ(0, r.status) << c.expected << r.out << r.err;
    std::string fap = read_file(dir.path("o.fap"));
    double worst_amplitude = 0, worst_phase = 0;
    for (int column : {1, 2}) {
      char name[512];
      snprintf(name, sizeof name, c.expected.c_str(), column == 1 ? "AMP" : "PHASE");
      Column want = read_columns(read_file(name), 1), got = read_columns(fap, column);
      ASSERT_EQ(want.f.size(), got.f.size()) << name;
      for (size_t i = 0; i < want.f.size(); ++i) {
        EXPECT_NEAR(want.f[i], got.f[i], 1e-6 * want.f[i]) << name;
        if (column == 1) {
          worst_amplitude = std::max(worst_amplitude, std::fabs(got.v[i] / want.v[i] - 1));
        } else if (std::fabs(std::fabs(want.v[i]) - 180) > 0.01) {
          worst_phase = std::max(worst_phase, phase_error(got.v[i], want.v[i]));
        }
      }
    }
    EXPECT_LE(worst_amplitude, 1e-5) << c.expected;
    EXPECT_LE(worst_phase, 1e-3) << c.expected;
    printf("%-45s amplitude %.2g, phase %.2g deg\n", c.expected.substr(data.size()).c_str(),
           worst_amplitude, worst_phase);
  }
}

}  // namespace

namespace {

// Which channel epoch a run draws: exactly one, or a failure that says why.
TEST(MetadataCurve, OneChannelEpochOrAFailureThatListsThem) {
  const std::string attu = "IN=" + data + "/resp/RESP.IM.ATTU..BHE";
  const std::string tita = "IN=" + data + "/station-metadata/TITA1.HGZ";
  TempDir dir;
  std::string cut = read_file(data + "/resp/RESP.Z.CGV..HYZ");
  write_file(dir.path("cut.resp"), cut.substr(0, cut.size() / 2));
  std::string laughs = "<?xml version=\"1.0\"?>\n<!DOCTYPE l [<!ENTITY a \"aaaaaaaaaa\">";
  // Each entity ten of the one before: 10^10 bytes if ever expanded.
  for (char e = 'b'; e <= 'k'; ++e) {
    std::string ten;
    for (int i = 0; i < 10; ++i) ten += std::string("&") + static_cast<char>(e - 1) + ";";
    laughs += std::string("<!ENTITY ") + e + " \"" + ten + "\">";
  }
  laughs += "]>\n<FDSNStationXML>&k;</FDSNStationXML>\n";
  write_file(dir.path("laughs.xml"), laughs);
  const struct {
    std::vector<std::string> args;
    int status;
    std::string out, err;
  } cases[] = {
      {{tita}, 0, "", ""},
      {{tita, "CHANNEL=XX.TITA?.--.HG*"}, 0, "", ""},
      {{attu, "TIME=1998-03-01"}, 0, "", ""},
      {{attu, "CHANNEL=*.ATTU..BHE", "TIME=1998,300,12:00:00"}, 0, "", ""},
      {{attu},
       253,
       "str2graph(): Several channel epochs match\n",
       "2 channel epochs match; CHANNEL= and TIME= choose one:\n"
       "  IM.ATTU..BHE 1998-02-25T16:00:00 to 1998-08-24\n  IM.ATTU..BHE 1998-08-24 to open\n"},
      {{attu, "TIME=1990-01-01"},
       253,
       "str2graph(): No channel epoch matches\n",
       "no channel epoch matches"},
      {{tita, "CHANNEL=XX.TITA1.00.HGZ"}, 253, "str2graph(): No channel epoch matches\n", ""},
      {{tita, "CHANNEL=XX.TITA1.HGZ"}, 255, "parse_cmd(): Incorrect [CHANNEL=] value\n", ""},
      {{tita, "TIME=yesterday"}, 255, "parse_cmd(): Incorrect [TIME=] value\n", ""},
      {{tita, "STAGES=9"}, 253, "str2graph(): Unable to evaluate the response\n", "STAGES="},
      {{"IN=" + dir.path("cut.resp")},
       253,
       "str2graph(): Incorrect station metadata\n",
       "cut.resp: line"},
      {{"IN=" + dir.path("laughs.xml")},
       253,
       "str2graph(): Incorrect station metadata\n",
       "afcdraw: IN=" + dir.path("laughs.xml") + ", line 2"},
      {{tita, "PHASE=" + data + "/station-metadata/TITA1.HGZ"},
       254,
       "read_in(): A phase file must list frequencies and degrees, not poles and zeros: PHASE=",
       ""},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = c.args;
    args.push_back("OUT=" + dir.path("o.gif"));
    args.push_back("-fit");
    RunResult r = run_afcdraw(args);
    std::string shown = testing::PrintToString(c.args);
    EXPECT_EQ(c.status, r.status) << shown << r.err;
    EXPECT_EQ(0u, r.out.rfind(c.out, 0)) << shown << r.out.substr(0, 200);
    EXPECT_NE(std::string::npos, r.err.find(c.err)) << shown << r.err;
  }
}

}  // namespace

namespace {

// The stated sensitivity is a ring on the curve where it refers to the
// curve drawn, in both styles; the pictures differ there and nowhere else.
TEST(MetadataCurve, StatedSensitivityIsMarkedWhereItApplies) {
  TempDir dir;
  const std::string in = "IN=" + data + "/resp/RESP.Z.CGV..HYZ";
  for (std::string format : {"gif", "png"}) {
    std::vector<std::string> style = {"-fit"};
    if (format == "png") style.push_back("-report");
    auto draw = [&](const std::string& name, const std::string& extra) {
      std::vector<std::string> args{in, "OUT=" + dir.path(name + "." + format), extra};
      args.insert(args.end(), style.begin(), style.end());
      EXPECT_EQ(0, run_afcdraw(args).status) << name;
      std::string bytes = read_file(dir.path(name + "." + format));
      return format == "gif" ? decode_gif(bytes) : decode_png(bytes);
    };
    DecodedImage marked = draw("marked", "UNITS=vel");
    DecodedImage part = draw("part", "STAGES=1,11");  // the same curve, a part of the chain
    draw("other", "UNITS=acc");
    std::vector<std::string> part2{in, "OUT=" + dir.path("part2." + format), "UNITS=acc",
                                   "STAGES=1,11"};
    part2.insert(part2.end(), style.begin(), style.end());
    EXPECT_EQ(0, run_afcdraw(part2).status);
    ASSERT_TRUE(marked && part);
    int x0 = 1 << 30, x1 = -1, y0 = 1 << 30, y1 = -1;
    for (int y = 0; y < gdImageSY(marked.get()); ++y) {
      for (int x = 0; x < gdImageSX(marked.get()); ++x) {
        if (gdImageGetTrueColorPixel(marked.get(), x, y) ==
            gdImageGetTrueColorPixel(part.get(), x, y)) {
          continue;
        }
        x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
      }
    }
    ASSERT_GE(x1, 0) << format << ": no mark";
    EXPECT_LE(x1 - x0, 12) << format;  // a ring of radius 5, anti-aliased
    EXPECT_LE(y1 - y0, 12) << format;
    // In other units than the sensitivity's, no mark: the same bytes as a part.
    EXPECT_EQ(read_file(dir.path("other." + format)), read_file(dir.path("part2." + format)));
  }
}

}  // namespace
