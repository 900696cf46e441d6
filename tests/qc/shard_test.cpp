// The shard a channel falls in and the name its picture gets depend on its
// code alone, in a form other tools can compute.

#include "qc/shard.h"

#include <gtest/gtest.h>

#include "qc/picture_name.h"

TEST(Shard, HashIsThePublishedFnv1a) {
  EXPECT_EQ(0x811c9dc5u, fnv1a(""));
  EXPECT_EQ(0xe40c292cu, fnv1a("a"));
  EXPECT_EQ(0xbf9cf968u, fnv1a("foobar"));
}

TEST(Shard, EachChannelFallsInOneShard) {
  for (const char* channel : {"IU.ANMO.00.BHZ", "XX.TITA1..HGZ", "Z.CGV..HYZ", "IM.ATTU..BHE"}) {
    int shards = 0;
    for (int i = 1; i <= 5; ++i) shards += in_shard(channel, i, 5);
    EXPECT_EQ(1, shards) << channel;
    EXPECT_TRUE(in_shard(channel, 1, 1)) << channel;
  }
}

TEST(PictureName, KeepsWhatFileSystemsAndUrlsTake) {
  struct Case {
    const char *network, *station, *location, *channel, *start, *name;
  };
  const Case cases[] = {
      {"IU", "ANMO", "00", "BHZ", "2010-01-01T00:00:00.000000",
       "IU.ANMO.00.BHZ_2010-01-01T000000.png"},
      {"XX", "TITA1", "", "HGZ", "2018-05-31T13:00:00.000000",
       "XX.TITA1..HGZ_2018-05-31T130000.png"},
      {"XX", "A B", "", "H/Z", "2018-05-31T13:00:00.250000",
       "XX.A_20B..H_2FZ_2018-05-31T130000.25.png"},
      {"XX", "A_B", "", "H.Z", "2018-05-31T13:00:00", "XX.A_5FB..H_2EZ_2018-05-31T130000.png"},
  };
  for (const Case& c : cases) {
    ChannelResponse r;
    r.network = c.network, r.station = c.station, r.location = c.location, r.channel = c.channel;
    r.start = c.start;
    EXPECT_EQ(c.name, picture_name(r, "png"));
  }
}
