#include "metadata/channel_filter.h"

#include <gtest/gtest.h>

namespace {

TEST(ChannelFilter, TimesOfEveryFormCompareAsText) {
  const struct {
    const char* text;
    const char* normal;
  } cases[] = {
      {"2010-01-01", "2010-01-01T00:00:00.000000"},
      {"2010-01-01T06:54:32", "2010-01-01T06:54:32.000000"},
      {"2019-03-04T05:06:07.1234567Z", "2019-03-04T05:06:07.123456"},
      {"2010,001", "2010-01-01T00:00:00.000000"},
      {"2010,001,06:54:32", "2010-01-01T06:54:32.000000"},
      {"2012,366,00:00:00.0000", "2012-12-31T00:00:00.000000"},
      {"2011,366", ""},  // no 366th day
      {"2010-13-01", ""},
      {"2010-02-31", ""},
      {"2012-02-29", "2012-02-29T00:00:00.000000"},
      {"2010-01-01X", ""},
      {"No Ending Time", ""},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(c.normal, normal_time(c.text)) << c.text;
}

TEST(ChannelFilter, PatternsAndEpochsSelect) {
  const struct {
    const char* pattern;
    const char* time;
    const char *net, *sta, *loc, *cha, *start, *end;
    bool matches;
  } cases[] = {
      {"Z.CGV..HYZ", "", "Z", "CGV", "", "HYZ", "2010,001", "", true},
      {"Z.CGV.--.HYZ", "", "Z", "CGV", "", "HYZ", "2010,001", "", true},
      {"Z.CGV.--.HYZ", "", "Z", "CGV", "00", "HYZ", "2010,001", "", false},
      {"*.*.*.BH?", "", "IM", "ATTU", "", "BHE", "1998,001", "", true},
      {"*.*.*.BH?", "", "IM", "ATTU", "", "HHE", "1998,001", "", false},
      {"xx.tita*.*.hgz", "2019-01-01", "XX", "TITA1", "", "HGZ", "2018-06-01", "", true},
      {"*.*.*.*", "2010,001", "Z", "CGV", "", "HYZ", "2009-01-01", "2010-01-01", false},
      {"*.*.*.*", "2009-12-31T23:59:59", "Z", "CGV", "", "HYZ", "2009-01-01", "2010-01-01", true},
  };
  for (const auto& c : cases) {
    ChannelFilter f;
    ASSERT_TRUE(parse_channel_pattern(c.pattern, f)) << c.pattern;
    f.time = normal_time(c.time);
    bool matches = channel_matches(f, c.net, c.sta, c.loc, c.cha) &&
                   epoch_holds(f, normal_time(c.start), normal_time(c.end));
    EXPECT_EQ(c.matches, matches) << c.pattern << " " << c.time;
  }
  ChannelFilter f;
  for (const char* bad : {"Z.CGV.HYZ", "Z.CGV...HYZ", ""})
    EXPECT_FALSE(parse_channel_pattern(bad, f));
  // A hostile pattern costs at most text x pattern steps.
  ASSERT_TRUE(parse_channel_pattern(std::string(5000, '*') + "X.*.*.*", f));
  EXPECT_FALSE(channel_matches(f, std::string(5000, 'A'), "S", "", "C"));
}

}  // namespace
