#pragma once

#include <cstdlib>
#include <string>
#include <vector>

// A test that needs what a developer's machine may lack (root, a locale
// tool) skips there, but fails in CI, where it must always run.
#define SKIP_OUTSIDE_CI(reason)         \
  do {                                  \
    if (std::getenv("CI") != nullptr) { \
      GTEST_FAIL() << (reason);         \
    }                                   \
    GTEST_SKIP() << (reason);           \
  } while (0)

// A fresh folder under /tmp, removed with everything in it at the end.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  std::string path(const std::string& name) const { return dir_ + "/" + name; }
  const std::string& dir() const { return dir_; }
  // Names of the entries in the folder, sorted.
  std::vector<std::string> entries() const;

 private:
  std::string dir_;
};

void write_file(const std::string& path, const std::string& bytes);
std::string read_file(const std::string& path);

// What a run of the afcdraw binary printed and the status the shell saw.
struct RunResult {
  int status;  // 0..255, or -1 when killed by a signal
  std::string out;
  long max_rss_kb = 0;  // the largest memory the run held
  std::string err;      // standard error (run_afcdraw only)
};
// Runs afcdraw with `args` (after the program name); `env` entries such as
// "LC_ALL=C.UTF-8" replace the environment's LANG, LC_ALL and LC_CTYPE.
// Standard input is the file at `input` when one is named.
RunResult run_afcdraw(const std::vector<std::string>& args,
                      const std::vector<std::string>& env = {"LC_ALL=C"},
                      const std::string& input = "");

// Runs `command` with /bin/sh in `dir`, with AFCDRAW naming the binary,
// AFCDRAW_FULL the full one it hands report pictures to (the same where
// there is no fast one), AFCDRAW_PRELOADABLE a full binary linked
// dynamically, which a preloaded library reaches, AS_NOBODY a prefix that runs a command as the
// unprivileged user 65534 and CLOSE_FAILS a library to preload for a file system that reports a
// failed write at close (support/close_fails.cpp).
RunResult run_shell(const std::string& dir, const std::string& command);
