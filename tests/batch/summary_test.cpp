// SUMMARY= as a script reading it meets it: a row per job in line order,
// the verdict numbers, CSV quoted as RFC 4180 quotes, JSON that parses,
// the same bytes however many jobs run at once.

#include <gtest/gtest.h>

#include <string>

#include "support/test_files.h"

namespace {

// Jobs failing and passing TOL=, one not run, and OUT= paths a CSV must
// quote, a JSON must escape, and one whose byte is no UTF-8.
void write_batch(const TempDir& dir) {
  write_file(dir.path("nominal.txt"), "1 10 0\n10 10 -90\n100 10 -180\n");
  write_file(dir.path("close.txt"), "1 10.5 2\n5 10.2 -62\n100 10 -181\n");
  write_file(dir.path("jobs.txt"),
             "IN=nominal.txt IN2=close.txt 'OUT=a, \"b\".gif' TOL=0.5,1 -phase\n"
             "# a comment\n"
             "IN=missing.txt OUT=\xC3\xA9.gif\n"
             "IN=nominal.txt IN2=close.txt 'OUT=tab\there.gif' TOL=0.5\n"
             "IN=missing.txt OUT=bad\xFF.gif\n");
}

TEST(Summary, CsvRowsInLineOrder) {
  TempDir dir;
  write_batch(dir);
  RunResult r = run_shell(dir.dir(), "\"$AFCDRAW\" --batch jobs.txt SUMMARY=s.csv 2>/dev/null");
  EXPECT_EQ(1, r.status);
  EXPECT_EQ(
      "line,status,key1,db1,db_hz1,deg1,deg_hz1,verdict1,not_judged1,output\n"
      "1,1,IN2,0.423786,1,2,1,outside,0,\"a, \"\"b\"\".gif\"\n"
      "3,254,,,,,,,,\xC3\xA9.gif\n"
      "4,0,IN2,0.423786,1,,,within,0,tab\there.gif\n"
      "5,254,,,,,,,,bad\xFF.gif\n",
      read_file(dir.path("s.csv")));
}

TEST(Summary, JsonParsesBack) {
  TempDir dir;
  write_batch(dir);
  RunResult r =
      run_shell(dir.dir(),
                "\"$AFCDRAW\" --batch jobs.txt SUMMARY=s.JSON >/dev/null 2>&1; python3 -c '"
                "import json; rows = json.load(open(\"s.JSON\", encoding=\"utf-8\"))\n"
                "for r in rows: print(r[\"line\"], r[\"status\"], ascii(r[\"output\"]), "
                "[(v[\"key\"], v[\"db\"], v[\"deg\"], v[\"verdict\"]) for v in r[\"verdicts\"]])'");
  EXPECT_EQ(
      "1 1 'a, \"b\".gif' [('IN2', 0.423786, 2, 'outside')]\n"
      "3 254 '\\xe9.gif' []\n"
      "4 0 'tab\\there.gif' [('IN2', 0.423786, None, 'within')]\n"
      "5 254 'bad\\ufffd.gif' []\n",
      r.out);
}

// The summary does not depend on which worker drew what, nor on the run.
TEST(Summary, SameBytesWhateverJobs) {
  TempDir dir;
  write_batch(dir);
  for (const std::string ending : {"csv", "json"}) {
    RunResult r = run_shell(dir.dir(),
                            "for run in 1:a 3:b 3:c; do \"$AFCDRAW\" --batch jobs.txt "
                            "JOBS=${run%:*} SUMMARY=s${run#*:}." +
                                ending + " >/dev/null 2>&1; done; cmp sa." + ending + " sb." +
                                ending + " && cmp sb." + ending + " sc." + ending);
    EXPECT_EQ(0, r.status) << ending << r.out;
    EXPECT_FALSE(read_file(dir.path("sa." + ending)).empty()) << ending;
  }
}

// SUMMARY= naming neither format fails the batch's command line before any
// job runs; one that cannot be written fails the batch after them all.
TEST(Summary, FailuresOfItsOwn) {
  const struct {
    std::string arg;
    int status;
    std::string last_line;
    bool drawn;
  } cases[] = {
      {"SUMMARY=s.txt", 255, "batch(): SUMMARY= names no .csv or .json file\n", false},
      {"SUMMARY=s.csv.gz", 255, "batch(): SUMMARY= names no .csv or .json file\n", false},
      {"SUMMARY=", 255, "batch(): SUMMARY= names no .csv or .json file\n", false},
      {"SUMMARY=no/s.csv", 252, "batch(): Unable to write the summary\n", true},
      {"SUMMARY=s.Csv", 0, "", true},
  };
  for (const auto& c : cases) {
    TempDir dir;
    write_file(dir.path("jobs.txt"), "IN=" AFCDRAW_EXAMPLES "/geophone_1hz.txt OUT=a.gif\n");
    RunResult r = run_shell(dir.dir(), "\"$AFCDRAW\" --batch jobs.txt " + c.arg + " 2>/dev/null");
    EXPECT_EQ(c.status, r.status) << c.arg;
    EXPECT_EQ(c.last_line, r.out) << c.arg;
    EXPECT_EQ(c.drawn, !read_file(dir.path("a.gif")).empty()) << c.arg;
  }
}

}  // namespace
