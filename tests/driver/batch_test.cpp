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
// after it run in a new worker; so too where the caller ignores SIGCHLD,
// which would hide how the worker ended, and where the job is a report
// picture. A worker killed between jobs
// fails none: the job it finished stays answered.
TEST(Batch, AKilledWorkerFailsItsJobOnly) {
  const struct {
    std::string caller, first;
  } cases[] = {{"", "a.gif"}, {"trap '' CHLD; ", "a.gif"}, {"", "a.svg"}};
  for (const auto& [caller, first] : cases) {
    TempDir dir;
    write_file(dir.path("jobs.txt"),
               "IN=fifo OUT=" + first + "\nIN=" AFCDRAW_EXAMPLES "/geophone_1hz.txt OUT=b.gif\n");
    RunResult r = run_shell(dir.dir(), "mkfifo fifo && { (" + caller +
                                           "exec \"$AFCDRAW\" --batch jobs.txt JOBS=1) & b=$!; "
                                           "until pkill -KILL -P $b; do sleep 0.05; done; "
                                           // Should the kill land before the job reached its
                                           // worker, the job's next worker is let go rather
                                           // than left waiting for ever.
                                           "(sleep 2; exec 3<>fifo) >/dev/null 2>&1 & wait $b; }");
    EXPECT_EQ(1, r.status) << caller << first;
    EXPECT_EQ("jobs.txt:1: 137: killed by signal\n", r.out) << caller << first;
    EXPECT_EQ((std::vector<std::string>{"b.gif", "fifo", "jobs.txt"}), dir.entries());
  }
  TempDir dir;
  const std::string job = "echo 'IN=" AFCDRAW_EXAMPLES "/geophone_1hz.txt OUT=";
  RunResult r =
      run_shell(dir.dir(),
                "mkfifo jobs && { \"$AFCDRAW\" --batch - JOBS=1 <jobs & b=$!; "
                "exec 3>jobs; " +
                    job +
                    "a.gif' >&3; "
                    "until [ -s a.gif ]; do sleep 0.05; done; sleep 0.5; "
                    "w=$(pgrep -P $b); kill -KILL $w; "  // and wait until it has ended
                    "until [ \"$(cut -d' ' -f3 /proc/$w/stat)\" = Z ]; do sleep 0.05; done; " +
                    job + "b.gif' >&3; exec 3>&-; wait $b; }");
  EXPECT_EQ(0, r.status);
  EXPECT_EQ("", r.out);
  EXPECT_EQ((std::vector<std::string>{"a.gif", "b.gif", "jobs"}), dir.entries());
}

}  // namespace

namespace {

// Two jobs writing one file: the later line's picture stays, though the
// earlier job (here held up reading a FIFO) ends last, and however the two
// name the file.
TEST(Batch, TheLaterJobsPictureStays) {
  const std::string e = AFCDRAW_EXAMPLES;
  const std::string later = "IN=" + e + "/geophone_1hz.txt";
  for (const std::string name : {"./pic.gif", "link.gif"}) {
    TempDir dir;
    write_file(dir.path("jobs.txt"), "IN=fifo OUT=pic.gif\n" + later + " OUT=" + name + "\n");
    RunResult r =
        run_shell(dir.dir(), "mkfifo fifo && ln -s pic.gif link.gif && { (sleep 1; cat '" + e +
                                 "/broadband_120s.txt' > fifo) & "
                                 "\"$AFCDRAW\" --batch jobs.txt JOBS=2; s=$?; wait; "
                                 "exit $s; }");
    EXPECT_EQ(0, r.status) << r.out;
    ASSERT_EQ(0, run_afcdraw({later, "OUT=" + dir.path("alone.gif")}).status);
    EXPECT_TRUE(read_file(dir.path("pic.gif")) == read_file(dir.path("alone.gif"))) << name;
  }
}

// A job reaches no descriptor of the batch's own by /dev/fd/N: it fails as
// with a descriptor not open, and the batch goes on. A message longer than
// any a picture's first bytes could pass for is still an answer.
TEST(Batch, JobsReachNoDescriptorOfTheBatch) {
  TempDir dir;
  const std::string in = "IN=" AFCDRAW_EXAMPLES "/geophone_1hz.txt";
  std::string batch;
  const char* failing[] = {"IN=/dev/fd/%d OUT=in.gif", " OUT=/dev/fd/%d", " OUT=/dev/fd/%d/in.gif"};
  for (int fd = 3; fd < 10; ++fd) {
    for (const char* job : failing) {
      char line[64];
      snprintf(line, sizeof line, job, fd);
      batch += (line[0] == ' ' ? in : "") + line + "\n";
    }
  }
  const std::string bogus = "BOGUS=" + std::string(70000, 'x');
  write_file(dir.path("jobs.txt"),
             batch + in + " OUT=last.gif -strict " + bogus + "\n" + in + " OUT=last.gif\n");
  // The caller's own descriptors are closed: those a job may name.
  RunResult r = run_shell(dir.dir(),
                          "exec 3>&- 4>&- 5>&- 6>&- 7>&- 8>&- 9>&-; "
                          "timeout 60 \"$AFCDRAW\" --batch jobs.txt JOBS=2");
  EXPECT_EQ(1, r.status);
  for (int line = 1; line <= 21; ++line) {
    std::string status = line % 3 == 1 ? ": 254: " : ": 252: ";
    EXPECT_NE(std::string::npos, r.out.find("jobs.txt:" + std::to_string(line) + status)) << r.out;
  }
  EXPECT_NE(std::string::npos,
            r.out.find("jobs.txt:22: 255: parse_cmd(): unknown argument \"" + bogus + "\""));
  ASSERT_EQ(0, run_afcdraw({in, "OUT=" + dir.path("alone.gif")}).status);
  EXPECT_TRUE(read_file(dir.path("last.gif")) == read_file(dir.path("alone.gif")));
}

// Report pictures are the bytes of a run alone, though one worker draws
// them one after another: the drawing library numbers an SVG's surfaces
// and images through a process's life, and the batch renumbers them. Text,
// legends, a curve out of frequency order (drawn as an image) and a page
// with units are among them, between raster pictures that count too.
TEST(Batch, ReportPicturesAreTheBytesOfARunAlone) {
  TempDir dir;
  // Too dense a curve in random order to be thinned: drawn as an image.
  std::string unordered;
  unsigned state = 1;
  for (int i = 0; i < 100000; ++i) {
    state = state * 1103515245u + 12345u;
    unordered += std::to_string(1 + (state >> 8) % 20000) + " " +
                 std::to_string(1 + (state >> 16) % 100) + "\n";
  }
  write_file(dir.path("unordered.txt"), unordered);
  const std::string in = "IN=" AFCDRAW_EXAMPLES "/broadband_120s.txt";
  const std::string two = "IN=" AFCDRAW_EXAMPLES "/geophone_1hz.txt IN2=" AFCDRAW_EXAMPLES
                          "/geophone_unit_a.txt NAME=nominal 'NAME2=unit A' -diff";
  const struct {
    std::string out, options;
  } jobs[] = {
      {"a.png", in + " -report"},
      {"b.svg", in},
      {"c.svg", in + " -phase 'CAPTION=Broadband, BHZ' 'DIMX=Frequency, Hz' NAME=nominal"},
      {"d.gif", in + " -report -phase"},
      {"e.pdf", in + " 'CAPTION=Broadband' NAME=nominal"},
      {"f.svg", two + " TOL=3"},
      {"g.svg", "IN=unordered.txt X_AXIS=1,20000"},
      {"h.pdf", two},
      {"i.svg", in + " SIZE=85mmx60mm NAME=nominal"},
      {"j.png", two + " -report"},
      {"k.svg", in},
  };
  std::string batch;
  for (const auto& job : jobs) batch += job.options + " OUT=" + job.out + "\n";
  write_file(dir.path("jobs.txt"), batch);
  for (const char* workers : {"JOBS=1", "JOBS=2"}) {
    RunResult r = run_shell(dir.dir(), std::string("\"$AFCDRAW\" --batch jobs.txt ") + workers);
    EXPECT_EQ(0, r.status) << r.out;
    for (const auto& job : jobs) {
      std::string alone = "alone" + job.out.substr(1);
      ASSERT_EQ(0, run_shell(dir.dir(), "\"$AFCDRAW\" " + job.options + " OUT=" + alone).status)
          << job.out;
      std::string picture = read_file(dir.path(job.out));
      EXPECT_FALSE(picture.empty()) << job.out;
      EXPECT_TRUE(picture == read_file(dir.path(alone))) << job.out << " " << workers;
    }
  }
}

}  // namespace

namespace {

// Every job with TOL= has its verdict lines reported, the passing ones
// too, before a failing job's line; a job failed only by points not judged
// says so rather than "outside tolerance".
TEST(Batch, VerdictLinesOfEveryJobWithTol) {
  TempDir dir;
  write_file(dir.path("nominal.txt"), "1 10 0\n10 10 -90\n100 10 -180\n");
  write_file(dir.path("close.txt"), "1 10.5 2\n5 10.2 -62\n100 10 -181\n");
  write_file(dir.path("far.txt"), "1 20 0\n100 20 -180\n");
  write_file(dir.path("rising.txt"), "1 10\n100 20\n");
  write_file(dir.path("wide.txt"), "0.5 10\n1 10\n100 20\n200 20\n");
  const struct {
    std::string job;
    int status;
    std::string out;
  } cases[] = {
      {"IN=nominal.txt IN2=close.txt OUT=a.gif TOL=0.5", 0,
       ":1: IN2: max deviation 0.424 dB at 1 Hz: within tolerance\n"},
      {"IN=nominal.txt IN2=close.txt IN3=far.txt OUT=b.gif TOL=1", 1,
       ":1: IN2: max deviation 0.424 dB at 1 Hz: within tolerance\n"
       ":1: IN3: max deviation 6.02 dB at 1 Hz: outside tolerance\n:1: 1: outside tolerance\n"},
      {"IN=rising.txt IN2=wide.txt OUT=c.gif TOL=0.5", 1,
       ":1: IN2: max deviation 0 dB at 1 Hz, 1 point not judged (0.5 Hz: outside the IN= "
       "frequencies): not judged\n:1: 1: not judged\n"},
      {"IN=rising.txt IN2=wide.txt IN3=far.txt OUT=d.gif TOL=0.5", 1,
       ":1: IN2: max deviation 0 dB at 1 Hz, 1 point not judged (0.5 Hz: outside the IN= "
       "frequencies): not judged\n:1: IN3: max deviation 6.02 dB at 1 Hz: outside "
       "tolerance\n:1: 1: outside tolerance\n"},
      {"IN=nominal.txt IN2=far.txt OUT=e.gif -diff", 0, ""},  // no TOL=, no verdict
      {"IN=missing.txt IN2=far.txt OUT=f.gif TOL=1", 1, ":1: 254: read_in(): File open error\n"},
  };
  for (const auto& c : cases) {
    write_file(dir.path("jobs.txt"), c.job + "\n");
    RunResult r = run_shell(dir.dir(), "\"$AFCDRAW\" --batch jobs.txt 2>/dev/null");
    std::string expected;
    for (size_t at = 0, end; at < c.out.size(); at = end + 1) {
      end = c.out.find('\n', at);
      expected += "jobs.txt" + c.out.substr(at, end + 1 - at);
    }
    EXPECT_EQ(expected, r.out) << c.job;
    EXPECT_EQ(
        c.out.find(": 1: ") != std::string::npos || c.out.find(": 254: ") != std::string::npos,
        r.status == 1)
        << c.job;
  }
}

}  // namespace
