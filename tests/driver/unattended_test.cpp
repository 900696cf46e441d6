// Unattended runs, often as root, over folders that other users can write:
// no planted link or file, no signal and no truncated input turns a run into
// damage, and what a plain writer may do still works.

#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "support/gif_reader.h"
#include "support/test_files.h"

namespace {

const std::string points = "0.01 1\n0.1 10\n1 100\n10 5\n";
const std::string not_created = "draw_gif(): Unable to create output file\n";
const std::string is_input = "draw_gif(): Output file is the input file\n";
const std::string no_point = "str2graph(): Couldn't find any point\n";
const std::string not_written = "draw_gif(): Unable to write output file\n";
constexpr long most_memory_kb = 64 * 1024;  // a run of a small text, far below the file sizes here

// A run on a file system that reports a failed write at close. A preloaded
// library reaches only a dynamically linked binary: a full one built so for
// the tests, whose output code is the installed ones'. The sanitizers' runtime wants to come first
// among preloaded libraries; the shim only wraps close() and may come
// before it.
#define LATE_FAILURE                                                             \
  "ASAN_OPTIONS=$ASAN_OPTIONS:verify_asan_link_order=0 LD_PRELOAD=$CLOSE_FAILS " \
  "$AFCDRAW_PRELOADABLE "

struct Finding {
  const char* name;
  const char* plant;  // shell commands that prepare the folder
  const char* run;    // the run, in that folder
  int status;
  std::string out;
  const char* kept;  // a shell test of what must hold afterwards
};

bool has_temporary(const TempDir& dir) {
  for (const std::string& name : dir.entries()) {
    if (name.rfind(".afcdraw-", 0) == 0) return true;
  }
  return false;
}

TEST(Unattended, PlantedFilesLinksAndSharedOutputs) {
  const char* old_and_refused = R"sh(test "$(cat o.gif)" = old)sh";
  const Finding findings[] = {
      {"link to a root-only file planted in a sticky folder",
       "mkdir -m1777 s && echo secret > root && chmod 600 root && $AS_NOBODY ln -s ../root s/r.gif",
       "$AFCDRAW IN=in.txt OUT=s/r.gif", 252, not_created,
       R"sh(test "$(cat root)" = secret && test -L s/r.gif)sh"},
      {"link to a folder planted in a sticky folder",
       "mkdir -m1777 s etc && $AS_NOBODY ln -s ../etc s/d", "$AFCDRAW IN=in.txt OUT=s/d/r.gif", 252,
       not_created, "test ! -e etc/r.gif"},
      {"file planted in a sticky folder", "mkdir -m1777 s && $AS_NOBODY sh -c 'echo old > s/o.gif'",
       "$AFCDRAW IN=in.txt OUT=s/o.gif", 252, not_created, R"sh(test "$(cat s/o.gif)" = old)sh"},
      {"FIFO planted in a sticky folder", "mkdir -m1777 s && $AS_NOBODY mkfifo s/p.gif",
       "timeout 10 $AFCDRAW IN=in.txt OUT=s/p.gif", 252, not_created, "test -p s/p.gif"},
      {"own link in a sticky folder", "mkdir -m1777 s && ln -s ../mine.gif s/m.gif",
       "$AFCDRAW IN=in.txt OUT=s/m.gif", 0, "",
       "test -L s/m.gif && head -c6 mine.gif | grep -q GIF"},
      {"read-only file of the user",
       "chmod 777 . && echo old > o.gif && chmod 444 o.gif && chown 65534 o.gif",
       "$AS_NOBODY $AFCDRAW IN=in.txt OUT=o.gif", 252, not_created, old_and_refused},
      {"someone else's file in a folder the user may write", "chmod 777 . && echo old > o.gif",
       "$AS_NOBODY $AFCDRAW IN=in.txt OUT=o.gif", 252, not_created, old_and_refused},
      {"root keeps its rights", "echo old > o.gif && chmod 444 o.gif",
       "$AFCDRAW IN=in.txt OUT=o.gif", 0, "",
       "test $(stat -c %a o.gif) = 444 && head -c6 o.gif | grep -q GIF"},
      {"writable file in a folder the user cannot write",
       "echo old > o.gif && chown 65534 o.gif && stat -c %i o.gif > inode",
       "$AS_NOBODY $AFCDRAW IN=in.txt OUT=o.gif", 0, "",
       "stat -c %i o.gif | cmp -s - inode && head -c6 o.gif | grep -q GIF"},
      {"output is the input", "cp in.txt data.txt", "$AFCDRAW IN=data.txt OUT=data.txt", 252,
       is_input, "cmp -s data.txt in.txt"},
      {"output is the input through a link", "cp in.txt data.txt && ln -s data.txt l.gif",
       "$AFCDRAW IN=data.txt OUT=l.gif", 252, is_input, "cmp -s data.txt in.txt && test -L l.gif"},
      {"output is the input through a hard link", "cp in.txt data.txt && ln data.txt h.gif",
       "$AFCDRAW IN=h.gif OUT=data.txt", 252, is_input, "cmp -s data.txt in.txt"},
      {"output is the input read as standard input", "cp in.txt data.txt",
       "$AFCDRAW IN=/dev/stdin OUT=data.txt < data.txt", 252, is_input, "cmp -s data.txt in.txt"},
      {"standard output appended to a log", "echo log > app.log",
       "$AFCDRAW IN=in.txt OUT=/dev/stdout >> app.log", 0, "",
       R"sh(test "$(head -c 10 app.log)" = "$(printf 'log\nGIF87a')")sh"},
      {"inherited descriptor appended to a log", "echo log > app.log",
       "$AFCDRAW IN=in.txt OUT=/proc/self/fd/3 3>> app.log", 0, "",
       R"sh(test "$(head -c 10 app.log)" = "$(printf 'log\nGIF87a')")sh"},
      {"pipes in and out", "", "cat in.txt | $AFCDRAW IN=/dev/stdin OUT=/dev/fd/1 | head -c 6", 0,
       "GIF87a", "true"},
      {"link loop", "ln -s b a && ln -s a b", "$AFCDRAW IN=in.txt OUT=a", 252, not_created,
       "test -L a && test -L b"},
      {"link to itself", "ln -s l l", "$AFCDRAW IN=in.txt OUT=l", 252, not_created, "test -L l"},
      {"more links than the kernel follows",
       "echo old > o.gif && ln -s o.gif l0 && i=1 && while [ $i -le 40 ]; do "
       "ln -s l$((i - 1)) l$i; i=$((i + 1)); done",
       "$AFCDRAW IN=in.txt OUT=l40", 252, not_created, old_and_refused},
      {"set-user-ID and set-group-ID bits", "echo old > o.gif && chmod 6755 o.gif",
       "$AFCDRAW IN=in.txt OUT=o.gif", 0, "", "test $(stat -c %a o.gif) = 755"},
      {"write failure reported at close, new file", "", LATE_FAILURE "IN=in.txt OUT=n.gif", 252,
       not_written, "test ! -e n.gif"},
      {"write failure reported at close, existing file", "echo old > o.gif",
       LATE_FAILURE "IN=in.txt OUT=o.gif", 252, not_written, old_and_refused},
      {"two runs writing the same new file at once, a hundred times", "",
       "i=0; while [ $i -lt 100 ]; do rm -f n.gif; $AFCDRAW IN=in.txt OUT=n.gif & "
       "$AFCDRAW IN=in.txt OUT=n.gif; wait; i=$((i + 1)); done",
       0, "", "head -c6 n.gif | grep -q GIF"},
      {"huge file of zero bytes", "truncate -s 2G zero.txt", "$AFCDRAW IN=zero.txt OUT=o.gif", 253,
       no_point, "test ! -e o.gif"},
  };
  for (const Finding& f : findings) {
    TempDir dir;
    chmod(dir.dir().c_str(), 0755);
    write_file(dir.path("in.txt"), points);
    ASSERT_EQ(0, run_shell(dir.dir(), f.plant).status) << f.name;
    RunResult r = run_shell(dir.dir(), f.run);
    EXPECT_EQ(f.status, r.status) << f.name;
    EXPECT_EQ(f.out, r.out) << f.name;
    EXPECT_LT(r.max_rss_kb, most_memory_kb) << f.name;
    EXPECT_EQ(0, run_shell(dir.dir(), f.kept).status) << f.name;
    EXPECT_FALSE(has_temporary(dir)) << f.name;
    chmod(dir.dir().c_str(), 0700);
  }
}

pid_t start_afcdraw(const std::vector<std::string>& args, int out_fd) {
  pid_t pid = fork();
  if (pid == 0) {
    dup2(out_fd, 1);
    std::vector<char*> argv{const_cast<char*>(AFCDRAW_BIN)};
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(AFCDRAW_BIN, argv.data());
    _exit(127);
  }
  return pid;
}

// Waits until a temporary file name appears in the watched folder, or the
// run ends without one.
void wait_for_temporary(int watch, pid_t pid) {
  alignas(inotify_event) char buffer[4096];
  for (int waited = 0; waited < 30000; waited += 10) {
    pollfd p{watch, POLLIN, 0};
    if (poll(&p, 1, 10) > 0) {
      ssize_t n = read(watch, buffer, sizeof buffer);
      for (ssize_t at = 0; at < n;) {
        auto* e = reinterpret_cast<inotify_event*>(buffer + at);
        if (e->len > 0 && std::string(e->name).rfind(".afcdraw-", 0) == 0) return;
        at += static_cast<ssize_t>(sizeof(inotify_event) + e->len);
      }
    }
    if (waitpid(pid, nullptr, WNOHANG) != 0) return;
  }
}

// A big picture, so that a kill can land while the file is written.
TEST(Unattended, KilledRunsLeaveNoTemporaryFile) {
  TempDir dir;
  write_file(dir.path("in.txt"), points);
  const std::vector<std::string> args{"IN=" + dir.path("in.txt"), "OUT=" + dir.path("out.gif"),
                                      "SIZE=4000;4000"};
  int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
  int watch = inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
  ASSERT_GE(watch, 0);
  inotify_add_watch(watch, dir.dir().c_str(), IN_CREATE);
  auto started = std::chrono::steady_clock::now();
  waitpid(start_afcdraw(args, null), nullptr, 0);
  auto run_time = std::chrono::steady_clock::now() - started;
  std::mt19937 rng(7);
  struct Try {
    int signal;
    bool at_temporary;  // killed as soon as a temporary name appears
  };
  std::vector<Try> tries;
  for (int s : {SIGINT, SIGTERM, SIGHUP}) tries.push_back({s, true});
  for (int round = 0; round < 3; ++round) {
    for (int s : {SIGINT, SIGTERM, SIGHUP, SIGKILL}) tries.push_back({s, false});
  }
  alignas(inotify_event) char drained[4096];
  for (const Try& t : tries) {
    write_file(dir.path("out.gif"), "old picture");
    while (read(watch, drained, sizeof drained) > 0) {
    }
    pid_t pid = start_afcdraw(args, null);
    if (t.at_temporary) {
      wait_for_temporary(watch, pid);
    } else {
      std::this_thread::sleep_for(run_time * std::uniform_real_distribution<>(0, 1.2)(rng));
    }
    kill(pid, t.signal);
    waitpid(pid, nullptr, 0);
    EXPECT_FALSE(has_temporary(dir)) << strsignal(t.signal) << (t.at_temporary ? " at once" : "");
    std::string kept = read_file(dir.path("out.gif"));
    EXPECT_TRUE(kept == "old picture" || decode_gif(kept)) << strsignal(t.signal);
  }
  close(watch);
  close(null);
}

// The input is cut to nothing at random moments while a run reads it.
// Returns once process `pid` holds `path` open, or has ended.
void wait_until_open(pid_t pid, const std::string& path) {
  std::string fds = "/proc/" + std::to_string(pid) + "/fd";
  for (;;) {
    DIR* dir = opendir(fds.c_str());
    if (dir == nullptr) return;
    bool open = false;
    while (dirent* e = readdir(dir)) {
      char target[4096];
      ssize_t n = readlinkat(dirfd(dir), e->d_name, target, sizeof target);
      open = open || (n > 0 && std::string(target, static_cast<size_t>(n)) == path);
    }
    closedir(dir);
    siginfo_t ended{};
    waitid(P_PID, static_cast<id_t>(pid), &ended, WEXITED | WNOHANG | WNOWAIT);
    if (open || ended.si_pid != 0) return;
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
}

TEST(Unattended, InputTruncatedWhileReadEndsCleanly) {
  TempDir dir;
  std::string big;
  for (int i = 1; i <= 3000000; ++i) big += std::to_string(i) + ' ' + std::to_string(i) + '\n';
  std::mt19937 rng(9);
  for (int attempt = 0; attempt < 8; ++attempt) {
    write_file(dir.path("in.txt"), big);
    int pipe_fds[2];
    ASSERT_EQ(0, pipe2(pipe_fds, O_CLOEXEC));
    pid_t pid =
        start_afcdraw({"IN=" + dir.path("in.txt"), "OUT=" + dir.path("out.gif")}, pipe_fds[1]);
    close(pipe_fds[1]);
    // The cut must come while the file is read: a file emptied before the
    // run opens it is merely empty. On a loaded machine the run may start
    // late, so its opening the file is waited for.
    wait_until_open(pid, dir.path("in.txt"));
    std::this_thread::sleep_for(std::chrono::milliseconds(rng() % 60));
    truncate(dir.path("in.txt").c_str(), 0);
    int status = 0;
    waitpid(pid, &status, 0);
    char out[256];
    ssize_t n = read(pipe_fds[0], out, sizeof out);
    close(pipe_fds[0]);
    std::string message(out, n > 0 ? n : 0);
    ASSERT_TRUE(WIFEXITED(status)) << "killed by " << strsignal(WTERMSIG(status));
    int code = WEXITSTATUS(status);
    if (code == 0) {
      EXPECT_TRUE(decode_gif(read_file(dir.path("out.gif"))));
    } else {
      EXPECT_EQ(254, code) << message;
      EXPECT_TRUE(message == "read_in(): File read error\n" ||
                  message == "read_in(): Unable to read file content\n")
          << message;
    }
  }
}

}  // namespace
