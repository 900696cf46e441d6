// --qc-merge as a sharded network check meets it: shard folders merged give
// the files one whole run gives, to the byte, with every picture beside
// them; shards that overlap or are no check's folders are refused.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "qc/qc_outputs.h"
#include "qc/sample_epochs.h"
#include "support/test_files.h"

namespace {

const char* const file_names[] = {"summary.csv", "summary.json", "junit.xml", "index.html"};

// A check's folder by hand: its files and a dummy picture for each epoch.
void write_check(const std::string& dir, const std::vector<QcEpoch>& epochs) {
  run_shell("/", "mkdir -p '" + dir + "/pics'");
  ASSERT_EQ(0, write_qc_outputs(dir, epochs));
  for (const QcEpoch& e : epochs) {
    if (!e.picture.empty()) write_file(dir + "/" + e.picture, "picture of " + e.channel);
  }
}

std::vector<QcEpoch> pick(const std::vector<size_t>& which) {
  std::vector<QcEpoch> all = sample_epochs(), picked;
  for (size_t i : which) picked.push_back(all[i]);
  return picked;
}

TEST(QcMerge, ShardsMergedAreTheWholeRunToTheByte) {
  TempDir dir;
  write_check(dir.path("whole"), sample_epochs());
  write_check(dir.path("a"), pick({2, 0}));
  write_check(dir.path("b"), pick({3, 1}));
  for (const char* order : {"a b", "b a"}) {
    SCOPED_TRACE(order);
    std::string out = dir.path(std::string("merged ") + order);
    RunResult r =
        run_shell(dir.dir(), std::string("$AFCDRAW --qc-merge ") + order + " 'OUTDIR=" + out + "'");
    EXPECT_EQ(1, r.status);  // a check failed
    EXPECT_EQ("", r.out);
    for (const char* name : file_names) {
      EXPECT_TRUE(read_file(dir.path("whole/") + name) == read_file(out + "/" + name)) << name;
    }
    for (const QcEpoch& e : sample_epochs()) {
      if (e.picture.empty()) continue;
      EXPECT_EQ("picture of " + e.channel, read_file(out + "/" + e.picture));
      struct stat merged, shard;
      ASSERT_EQ(0, stat((out + "/" + e.picture).c_str(), &merged));
      bool found = stat((dir.path("a/") + e.picture).c_str(), &shard) == 0 ||
                   stat((dir.path("b/") + e.picture).c_str(), &shard) == 0;
      ASSERT_TRUE(found) << e.picture;
      EXPECT_EQ(shard.st_ino, merged.st_ino) << "hard-linked: " << e.picture;
    }
  }
}

// The real thing: the example inventories checked whole and in two shards,
// the shards merged.
TEST(QcMerge, ShardsOfARealCheckMergeToTheWholeCheck) {
  TempDir dir;
  const std::string m = AFCDRAW_EXAMPLES "/metadata/";
  const std::string inventories =
      "'" + m + "RESP.IM.ATTU..BHE' '" + m + "RESP.Z.CGV..HYZ' '" + m + "TITA1.HGZ'";
  const std::string header = "channel,start,end,check,result,value,limit,message,picture\r\n";
  int whole_status = -1;
  for (const char* run : {"OUTDIR=whole", "OUTDIR=s1 SHARD=1/2", "OUTDIR=s2 SHARD=2/2"}) {
    RunResult r = run_shell(dir.dir(), "$AFCDRAW --qc " + inventories + " " + run + " JOBS=2");
    ASSERT_LE(r.status, 1) << run << r.out;
    if (whole_status < 0) whole_status = r.status;
  }
  for (const char* shard : {"s1/summary.csv", "s2/summary.csv"}) {
    EXPECT_NE(header, read_file(dir.path(shard))) << shard << " holds no epoch";
  }
  EXPECT_EQ(whole_status, run_shell(dir.dir(), "$AFCDRAW --qc-merge s2 s1 OUTDIR=merged").status);
  for (const char* name : file_names) {
    EXPECT_TRUE(read_file(dir.path("whole/") + name) == read_file(dir.path("merged/") + name))
        << name;
  }
  EXPECT_EQ(0, run_shell(dir.dir(), "diff -r whole merged >&2").status);
}

TEST(QcMerge, StatusSaysWhetherEveryCheckPassed) {
  TempDir dir;
  write_check(dir.path("passed"), pick({3}));
  write_check(dir.path("unchecked"), pick({1}));
  const struct {
    const char* args;
    int status;
  } cases[] = {
      {"passed OUTDIR=m1", 0},
      {"passed unchecked OUTDIR=m2", 0},
      {"passed unchecked OUTDIR=m3 -strict", 1},
      {"passed OUTDIR=m4 -STRICT", 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.status, run_shell(dir.dir(), std::string("$AFCDRAW --qc-merge ") + c.args).status)
        << c.args;
  }
}

TEST(QcMerge, RefusesWhatNoWholeRunCouldGive) {
  TempDir dir;
  write_check(dir.path("a"), pick({0, 3}));
  write_check(dir.path("b"), pick({1}));
  std::vector<QcEpoch> clash = pick({2});
  clash[0].picture = "GE.WLF..HHE.png";
  write_check(dir.path("clash"), clash);
  write_check(dir.path("no_picture"), pick({2}));
  run_shell(dir.dir(),
            "rm -r no_picture/pics; mkdir c d; echo '[]' > c/summary.json;"
            "sed 's/\"pass\"/\"passed\"/' a/summary.json > d/summary.json");
  const std::string unreadable = "qc_merge(): Unable to read a shard folder\n";
  const std::string overlap = "qc_merge(): Shard folders overlap\n";
  const std::string usage = "qc_merge(): Usage: --qc-merge DIR... OUTDIR=dir\n";
  const struct {
    const char* args;
    int status;
    const std::string& out;
  } cases[] = {
      {"a a OUTDIR=m", 254, overlap},
      {"a clash OUTDIR=m", 254, overlap},
      {"a missing OUTDIR=m", 254, unreadable},
      {"a c OUTDIR=m", 254, unreadable},
      {"b d OUTDIR=m", 254, unreadable},
      {"no_picture OUTDIR=m", 254, unreadable},
      {"a b", 255, usage},
      {"OUTDIR=m", 255, usage},
      {"a -fast OUTDIR=m", 255, usage},
  };
  for (const auto& c : cases) {
    RunResult r = run_shell(dir.dir(), std::string("$AFCDRAW --qc-merge ") + c.args);
    EXPECT_EQ(c.status, r.status) << c.args;
    EXPECT_EQ(c.out, r.out) << c.args;
  }
}

}  // namespace
