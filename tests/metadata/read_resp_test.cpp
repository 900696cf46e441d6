#include "metadata/read_resp.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A small channel as rdseed prints one: a one-pole sensor and the sensitivity.
const std::string channel_head =
    "#\t\t======== CHANNEL RESPONSE DATA ========\n"
    "B050F03     Station:     STA\n"
    "B050F16     Network:     XX\n"
    "B052F03     Location:    ??\n"
    "B052F04     Channel:     BHZ\n"
    "B052F22     Start date:  2010,001,00:00:00.0000\n"
    "B052F23     End date:    No Ending Time\n";
const std::string sensor =
    "B053F03     Transfer function type:                A [Laplace Transform (Rad/sec)]\n"
    "B053F04     Stage sequence number:                 1\n"
    "B053F05     Response in units lookup:              M/S - Velocity in Meters Per Second\n"
    "B053F06     Response out units lookup:             V - Volts\n"
    "B053F07     A0 normalization factor:               1\n"
    "B053F08     Normalization frequency:               1\n"
    "B053F09     Number of zeroes:                      0\n"
    "B053F14     Number of poles:                       1\n"
    "#\t\tComplex poles:\n"
    "B053F15-18    0 -1.000000E+00  0.000000E+00  0.000000E+00  0.000000E+00\n";
const std::string stage_gain =
    "B058F03     Stage sequence number:                 1\n"
    "B058F04     Gain:                                  2.000000E+03\n"
    "B058F05     Frequency of gain:                     1.000000E+00 HZ\n";
const std::string digitizer =  // stage 2, V to counts, as a one-coefficient FIR
    "B054F03     Transfer function type:                D\n"
    "B054F04     Stage sequence number:                 2\n"
    "B054F05     Response in units lookup:              V - Volts\n"
    "B054F06     Response out units lookup:             COUNTS - Digital Counts\n"
    "B054F07     Number of numerators:                  1\n"
    "B054F10     Number of denominators:                0\n"
    "B054F08-09    0  1.000000E+00  0.000000E+00\n"
    "B057F03     Stage sequence number:                 2\n"
    "B057F04     Input sample rate:                     1.000000E+02\n"
    "B057F05     Decimation factor:                     1\n"
    "B057F06     Decimation offset:                     0\n"
    "B057F07     Estimated delay (seconds):             0.000000E+00\n"
    "B057F08     Correction applied (seconds):          0.000000E+00\n";
const std::string sensitivity =
    "B058F03     Stage sequence number:                 0\n"
    "B058F04     Sensitivity:                           2.000000E+03\n"
    "B058F05     Frequency of sensitivity:              1.000000E+00 HZ\n";

std::string replaced(std::string text, const std::string& from, const std::string& to) {
  text.replace(text.find(from), from.size(), to);
  return text;
}

TEST(ReadResp, TellsRespFromOtherResponseFiles) {
  const struct {
    std::string text;
    bool resp;
  } cases[] = {
      {channel_head + sensor, true},
      {"\n# only comments first\nB050F03     Station:     STA\n", true},
      {"0.1 1.0\n1 2\n", false},                    // a point file
      {"# frequency amplitude\n0.1 1.0\n", false},  // a point file with a comment
      {"ZEROS 2\nPOLES 1\n-1 0\n", false},          // a pole-zero file
      {"* a comment\nCONSTANT 4\n", false},
      {"BALANCE 1\n", false},
      {"", false},
  };
  for (const auto& c : cases) EXPECT_EQ(c.resp, is_resp(c.text)) << c.text;
}

TEST(ReadResp, ReadsStagesAndKeepsTheEpochsAsked) {
  const std::string file =
      channel_head + sensor + stage_gain + digitizer + sensitivity +
      replaced(replaced(channel_head, "BHZ", "BHN"), "No Ending Time", "2011,001,00:00:00") +
      sensor + sensitivity;
  const struct {
    const char* channel;
    const char* time;
    size_t count;
  } cases[] = {
      {"*.*.*.*", "", 2},
      {"XX.STA.--.BHZ", "", 1},  // rdseed's "??" is the empty location
      {"XX.STA.*.BH?", "2012-01-01", 1},
      {"YY.*.*.*", "", 0},
  };
  for (const auto& c : cases) {
    ChannelFilter filter;
    ASSERT_TRUE(parse_channel_pattern(c.channel, filter));
    filter.time = normal_time(c.time);
    std::vector<ChannelResponse> out;
    std::string why;
    ASSERT_EQ(0, read_resp(file, filter, out, why)) << c.channel << ": " << why;
    EXPECT_EQ(c.count, out.size()) << c.channel;
  }
  ChannelFilter all;
  std::vector<ChannelResponse> out;
  std::string why;
  ASSERT_EQ(0, read_resp(file, all, out, why)) << why;
  const ChannelResponse& z = out[0];
  EXPECT_EQ("", z.location);
  EXPECT_EQ("2010-01-01T00:00:00.000000", z.start);
  EXPECT_EQ("", z.end);
  EXPECT_EQ("2011-01-01T00:00:00.000000", out[1].end);
  ASSERT_EQ(2u, z.stages.size());
  EXPECT_EQ(StageKind::laplace_rad, z.stages[0].kind);
  EXPECT_EQ(std::complex<double>(-1, 0), z.stages[0].poles.at(0));
  EXPECT_EQ(2000, z.stages[0].gain);
  EXPECT_EQ(StageKind::fir, z.stages[1].kind);
  EXPECT_EQ(100, z.stages[1].input_sample_rate);
  EXPECT_EQ(2000, z.sensitivity);
  EXPECT_EQ("M/S", z.sensitivity_input_units);
  EXPECT_EQ("COUNTS", z.sensitivity_output_units);
}

// Blockette 61 as writers print it: its coefficient rows carry the field
// alone ("B061F09"), not a range of fields.
TEST(ReadResp, ReadsSymmetricFirRowsAsWritten) {
  const std::string fir =
      "B061F03     Stage sequence number:                 2\n"
      "B061F04     Response Name:                         FIR_1\n"
      "B061F05     Symmetry Code:                         B\n"
      "B061F06     Response in units lookup:              V - Volts\n"
      "B061F07     Response out units lookup:             COUNTS - Digital Counts\n"
      "B061F08     Number of Coefficients:                2\n"
      "B061F09       0  2.500000E-01\n"
      "B061F09       1  5.000000E-01\n";
  const std::string file = channel_head + sensor + stage_gain + fir +
                           digitizer.substr(digitizer.find("B057F03")) + sensitivity;
  ChannelFilter all;
  std::vector<ChannelResponse> out;
  std::string why;
  ASSERT_EQ(0, read_resp(file, all, out, why)) << why;
  ASSERT_EQ(2u, out[0].stages.size());
  const Stage& s = out[0].stages[1];
  EXPECT_EQ(StageKind::fir, s.kind);
  EXPECT_EQ(FirSymmetry::odd, s.symmetry);
  EXPECT_EQ((std::vector<double>{0.25, 0.5}), s.numerators);
}

// Broken and hostile files end with a message naming the line and reason.
TEST(ReadResp, RefusesBrokenFilesNamingLineAndReason) {
  const std::string good = channel_head + sensor + stage_gain + digitizer + sensitivity;
  const struct {
    const char* name;
    std::string text;
    const char* why;
  } cases[] = {
      {"truncated in a list of roots", good.substr(0, good.find("B053F15-18")),
       "line 15: 1 declared, 0 listed"},
      {"truncated in a field", good.substr(0, good.find("B052F23")),
       "line 4: the blockette lacks its field B052F23"},
      {"cut inside the last number", good.substr(0, good.size() - 6),
       "line 36: the text ends inside a line; is it cut short?"},
      {"cut before the sensitivity",
       good.substr(0, good.find("B058F03     Stage sequence number:                 0")),
       "line 2: a channel without its sensitivity (stage 0); is the text cut short?"},
      {"a station without its channel", good + "B050F03     Station:     STB\n",
       "line 37: a station without its channel (B052 lines)"},
      {"a million coefficients declared, one listed",
       replaced(good, "numerators:                  1", "numerators:                  1000000"),
       "line 25: 1000000 declared, 1 listed"},
      {"a count beyond reason", replaced(good, "poles:                       1", "poles: 1e12"),
       "line 15: a count out of range 0 ... 1000000: 1e12"},
      {"a stage missing",
       replaced(replaced(good, "number:                 2", "number: 3"),
                "Stage sequence number:                 2", "number: 3"),
       "line 2: stage 2 missing (stage 3 follows)"},
      {"units that do not chain", replaced(good, "V - Volts\nB054F06", "PA - Pascals\nB054F06"),
       "line 2: stage 1 puts out V but stage 2 takes PA"},
      {"a number out of range", replaced(good, "factor:               1", "factor: 1e999"),
       "line 12: a number out of range: 1e999"},
      {"text where a number belongs", replaced(good, "-1.000000E+00  0.000000E+00", "-1.0 zero"),
       "line 17: not a number: \"zero"},
      {"a stage described twice", good + sensor, "line 37: stage 1 described twice"},
      {"a line that is no field", replaced(good, "B053F09", "ZEROS 0\nB053F09"),
       "line 14: not a RESP line"},
      {"a date that is none", replaced(good, "2010,001,00", "2010,400,00"), "line 6: not a date"},
      {"a zero sample rate", replaced(good, "1.000000E+02", "0"),
       "line 28: a sample rate or decimation factor not above 0"},
  };
  for (const auto& c : cases) {
    ChannelFilter all;
    std::vector<ChannelResponse> out;
    std::string why;
    EXPECT_EQ(-1, read_resp(c.text, all, out, why)) << c.name;
    EXPECT_EQ(0u, why.find(c.why)) << c.name << ": " << why;
  }
}

}  // namespace
