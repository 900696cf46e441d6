// --batch as a batch script meets it: each job's picture is the one its
// command line alone draws, failing jobs are reported in line order and
// never stop the others.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/test_files.h"

namespace {

TEST(Batch, JobsDrawWhatTheirCommandLinesDraw) {
  TempDir dir;
  const std::string e = AFCDRAW_EXAMPLES;
  const std::vector<std::vector<std::string>> jobs = {
      {"IN=" + e + "/geophone_1hz.txt", "OUT=" + dir.path("a.gif"), "CAPTION=Geophone, 1 Hz"},
      {"IN=" + e + "/broadband_120s.txt", "OUT=" + dir.path("b c.gif"), "-fit", "-phase"},
      {"IN=" + e + "/geophone_1hz.txt", "IN2=" + e + "/geophone_unit_a.txt",
       "OUT=" + dir.path("d.png"), "FORMAT=PNG", "NAME=it's nominal"},
  };
  std::string batch = "# three pictures, two failures\n\n";
  auto quoted = [](const std::string& w) {
    std::string q = "'";
    for (char c : w) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
  };
  for (size_t i = 0; i < jobs.size(); ++i) {
    for (const std::string& w : jobs[i]) batch += quoted(w) + " ";
    batch += "\n";
    if (i == 0) batch += "IN=" + dir.path("missing.txt") + " OUT=" + dir.path("x.gif") + "\n";
  }
  batch += "IN=\"unterminated\n";
  write_file(dir.path("jobs.txt"), batch);
  RunResult r = run_afcdraw({"--batch", dir.path("jobs.txt"), "JOBS=2"});
  EXPECT_EQ(1, r.status);
  const std::string name = dir.path("jobs.txt");
  EXPECT_EQ(name + ":4: 254: read_in(): File open error\n" + name +
                ":7: 255: batch(): Unusable job line: an unterminated \" quote\n",
            r.out);
  EXPECT_NE(std::string::npos, r.err.find("5 pictures, 2 failed"));
  for (const auto& job : jobs) {
    std::vector<std::string> alone = job;
    for (std::string& word : alone) {
      if (word.rfind("OUT=", 0) != 0) continue;
      std::string batch_picture = read_file(word.substr(4));
      word = "OUT=" + dir.path("alone");
      ASSERT_EQ(0, run_afcdraw(alone).status);
      EXPECT_TRUE(read_file(dir.path("alone")) == batch_picture) << job[0];
      EXPECT_FALSE(batch_picture.empty());
    }
  }
  for (const std::string& unreadable : {dir.path("none.txt"), dir.dir()}) {
    RunResult none = run_afcdraw({"--batch", unreadable});
    EXPECT_EQ(255, none.status) << unreadable;
    EXPECT_EQ("batch(): Unable to read the batch file\n", none.out) << unreadable;
  }
}

// A batch read from standard input keeps it: a job with IN=- reads nothing
// and fails, and the lines after it all run.
TEST(Batch, JobsDoNotReadTheBatch) {
  TempDir dir;
  const std::string in = std::string("IN=") + AFCDRAW_EXAMPLES + "/geophone_1hz.txt";
  std::string batch = "IN=- OUT=" + dir.path("stdin.gif") + "\r\n";
  for (int i = 0; i < 40; ++i) batch += in + " OUT=" + dir.path(std::to_string(i) + ".gif\n");
  write_file(dir.path("jobs.txt"), batch);
  RunResult r = run_afcdraw({"--batch", "-", "JOBS=1"}, {"LC_ALL=C"}, dir.path("jobs.txt"));
  EXPECT_EQ(1, r.status);
  EXPECT_EQ("-:1: 254: read_in(): Unable to read file content\n", r.out);
  EXPECT_NE(std::string::npos, r.err.find("41 pictures, 1 failed"));
}

}  // namespace

namespace {

// Jobs share worker processes: a worker killed in the middle of a job (here
// one stuck opening a FIFO no one writes) fails that job only, and the jobs
// after it run in a new worker.
TEST(Batch, AKilledWorkerFailsItsJobOnly) {
  TempDir dir;
  write_file(dir.path("jobs.txt"),
             "IN=fifo OUT=a.gif\nIN=" AFCDRAW_EXAMPLES "/geophone_1hz.txt OUT=b.gif\n");
  RunResult r = run_shell(dir.dir(),
                          "mkfifo fifo && { \"$AFCDRAW\" --batch jobs.txt JOBS=1 & b=$!; "
                          "until pkill -KILL -P $b; do sleep 0.05; done; "
                          // Should the kill land before the job reached its
                          // worker, the job's next worker is let go rather
                          // than left waiting for ever.
                          "(sleep 2; exec 3<>fifo) >/dev/null 2>&1 & wait $b; }");
  EXPECT_EQ(1, r.status);
  EXPECT_EQ("jobs.txt:1: 137: killed by signal\n", r.out);
  EXPECT_EQ((std::vector<std::string>{"b.gif", "fifo", "jobs.txt"}), dir.entries());
}

}  // namespace

namespace {

// Two jobs writing one file: the later line's picture stays, though the
// earlier job (here held up reading a FIFO) ends last, and though the two
// name the file differently.
TEST(Batch, TheLaterJobsPictureStays) {
  TempDir dir;
  const std::string e = AFCDRAW_EXAMPLES;
  const std::string later = "IN=" + e + "/geophone_1hz.txt";
  write_file(dir.path("jobs.txt"), "IN=fifo OUT=pic.gif\n" + later + " OUT=./pic.gif\n");
  RunResult r = run_shell(dir.dir(), "mkfifo fifo && { (sleep 1; cat '" + e +
                                         "/broadband_120s.txt' > fifo) & "
                                         "\"$AFCDRAW\" --batch jobs.txt JOBS=2; s=$?; wait; "
                                         "exit $s; }");
  EXPECT_EQ(0, r.status) << r.out;
  ASSERT_EQ(0, run_afcdraw({later, "OUT=" + dir.path("alone.gif")}).status);
  EXPECT_TRUE(read_file(dir.path("pic.gif")) == read_file(dir.path("alone.gif")));
}

}  // namespace
