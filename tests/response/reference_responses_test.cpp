#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

#include "metadata/read_resp.h"
#include "response/evaluate_response.h"

namespace {

const std::string data_dir = std::string(AFCDRAW_TEST_DATA) + "/resp/";

// The published evaluator's output is %.6E: amplitudes are known to about
// 5e-7 relative, phases to 5e-5 degrees; these bounds leave room for that.
constexpr double amplitude_tolerance = 1e-5;  // relative
constexpr double phase_tolerance = 1e-3;      // degrees, modulo 360
// Near +-180 degrees a phase may print as either; such points are not compared.
constexpr double phase_wrap_margin = 0.01;

std::string text_of(const std::string& path) {
  std::ifstream in(path);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// Two columns: frequency and value.
std::vector<std::pair<double, double>> columns(const std::string& path) {
  std::vector<std::pair<double, double>> out;
  std::istringstream in(text_of(path));
  double f, v;
  while (in >> f >> v) out.emplace_back(f, v);
  return out;
}

// Every reference run: the evaluator's outputs in expected/<folder>, the
// RESP file and epoch it evaluated, our options for its command line.
TEST(ReferenceResponses, MatchThePublishedEvaluator) {
  const struct {
    const char* folder;
    const char* channel;  // NET.STA.LOC.CHA, also the files' names
    const char* time;
    EvaluateOptions options;
    bool listed;  // a response list: only its own frequencies
  } cases[] = {
      {"simple/direct", "Z.CGV..HYZ", "2010,001", {.units = 1}, false},
      {"args/units_dis", "Z.CGV..HYZ", "2010,001", {.units = 0}, false},
      {"args/units_def", "Z.CGV..HYZ", "2010,001", {.units = -1}, false},
      {"args/stage_3_5",
       "Z.CGV..HYZ",
       "2010,001",
       {.first_stage = 3, .last_stage = 5, .units = 1},
       false},
      {"args/linear_space", "Z.CGV..HYZ", "2010,001", {.units = 1}, false},
      {"simple/direct_2", "IM.ATTU..BHE", "1998,057", {.units = 1}, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.folder);
    ChannelFilter filter;
    ASSERT_TRUE(parse_channel_pattern(c.channel, filter));
    filter.time = normal_time(c.time);
    std::vector<ChannelResponse> found;
    std::string why;
    ASSERT_EQ(0, read_resp(text_of(data_dir + "RESP." + c.channel), filter, found, why)) << why;
    ASSERT_EQ(1u, found.size());

    const std::string dir = data_dir + "expected/" + c.folder + "/";
    const auto amplitudes = columns(dir + "AMP." + c.channel);
    const auto phases = columns(dir + "PHASE." + c.channel);
    ASSERT_EQ(amplitudes.size(), phases.size());
    ASSERT_FALSE(amplitudes.empty());
    std::vector<double> f;
    for (const auto& a : amplitudes) f.push_back(a.first);
    if (c.listed) {
      EXPECT_EQ(f, listed_frequencies(found[0], c.options, 0.001, 10));
    }

    std::vector<std::complex<double>> h;
    std::vector<std::string> notes;
    ASSERT_EQ(0, evaluate_response(found[0], c.options, f, h, notes, why)) << why;
    double worst_amplitude = 0, worst_phase = 0;
    for (size_t i = 0; i < f.size(); ++i) {
      worst_amplitude =
          std::max(worst_amplitude, std::abs(std::abs(h[i]) / amplitudes[i].second - 1));
      if (std::abs(std::abs(phases[i].second) - 180) < phase_wrap_margin) continue;
      double phase = std::arg(h[i]) * 180 / std::numbers::pi;
      worst_phase =
          std::max(worst_phase, std::abs(std::remainder(phase - phases[i].second, 360.0)));
    }
    printf("%-18s worst amplitude error %.2e, worst phase error %.2e degrees\n", c.folder,
           worst_amplitude, worst_phase);
    EXPECT_LE(worst_amplitude, amplitude_tolerance);
    EXPECT_LE(worst_phase, phase_tolerance);
  }
}

}  // namespace
