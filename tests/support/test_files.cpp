#include "support/test_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

TempDir::TempDir() {
  char name[] = "/tmp/afcdraw-test-XXXXXX";
  dir_ = mkdtemp(name);
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(dir_, ec);
}

std::vector<std::string> TempDir::entries() const {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(dir_)) {
    names.push_back(e.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

void write_file(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

namespace {

// Reads what the child `pid` writes into the pipe until it ends, then its
// exit status and peak memory.
RunResult collect(pid_t pid, const int pipe_fds[2]) {
  close(pipe_fds[1]);
  std::string out;
  char buffer[4096];
  ssize_t n;
  while ((n = read(pipe_fds[0], buffer, sizeof buffer)) > 0) out.append(buffer, n);
  close(pipe_fds[0]);
  int status = 0;
  struct rusage usage {};
  wait4(pid, &status, 0, &usage);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out, usage.ru_maxrss, ""};
}

}  // namespace

RunResult run_afcdraw(const std::vector<std::string>& args, const std::vector<std::string>& env,
                      const std::string& input) {
  int pipe_fds[2];
  if (pipe(pipe_fds) != 0) return {-1, "", 0, ""};
  int err_fd = memfd_create("stderr", MFD_CLOEXEC);  // read once the run has ended
  pid_t pid = fork();
  if (pid == 0) {
    dup2(pipe_fds[1], 1);
    dup2(err_fd, 2);
    if (!input.empty()) {
      int fd = open(input.c_str(), O_RDONLY);
      if (fd < 0) _exit(127);
      dup2(fd, 0);
      close(fd);
    }
    close(pipe_fds[0]);
    close(pipe_fds[1]);
    unsetenv("LANG");
    unsetenv("LC_ALL");
    unsetenv("LC_CTYPE");
    for (const std::string& e : env) putenv(const_cast<char*>(e.c_str()));
    std::vector<char*> argv{const_cast<char*>(AFCDRAW_BIN)};
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(AFCDRAW_BIN, argv.data());
    _exit(127);
  }
  RunResult r = collect(pid, pipe_fds);
  char buffer[4096];
  ssize_t n;
  for (off_t at = 0; (n = pread(err_fd, buffer, sizeof buffer, at)) > 0; at += n) {
    r.err.append(buffer, n);
  }
  close(err_fd);
  return r;
}

RunResult run_shell(const std::string& dir, const std::string& command) {
  int pipe_fds[2];
  if (pipe(pipe_fds) != 0) return {-1, "", 0, ""};
  pid_t pid = fork();
  if (pid == 0) {
    dup2(pipe_fds[1], 1);
    close(pipe_fds[0]);
    close(pipe_fds[1]);
    setenv("AFCDRAW", AFCDRAW_BIN, 1);
    setenv("AFCDRAW_FULL", AFCDRAW_FULL_BIN, 1);
    setenv("AFCDRAW_PRELOADABLE", AFCDRAW_PRELOADABLE_BIN, 1);
    setenv("CLOSE_FAILS", CLOSE_FAILS_SO, 1);
    setenv("AS_NOBODY", "setpriv --reuid=65534 --regid=65534 --clear-groups", 1);
    setenv("LC_ALL", "C", 1);
    if (chdir(dir.c_str()) == 0) execl("/bin/sh", "sh", "-c", command.c_str(), nullptr);
    _exit(127);
  }
  return collect(pid, pipe_fds);
}
