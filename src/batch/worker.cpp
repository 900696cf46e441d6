#include "batch/worker.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "batch/channel.h"
#include "core/last_error.h"

namespace {

constexpr int picture_outside_tolerance = 1;  // a job's status with TOL=

// Puts `path` on the standard descriptor `fd`, keeping no other descriptor.
void redirect(int fd, const char* path, int flags) {
  int opened = open(path, flags);
  if (opened < 0 || opened == fd) return;
  dup2(opened, fd);
  close(opened);
}

// Runs the job and answers it; false when the answer could not be sent.
bool run_job(int channel, const std::vector<const char*>& argv, RunFunction run,
             std::string& answer) {
  last_error.clear();
  std::vector<Verdict> printed;
  int status = run(static_cast<int>(argv.size()), argv.data(), printed) & 0xff;
  fflush(stdout);
  fflush(stderr);
  std::vector<JobVerdict> verdicts;
  for (const Verdict& v : printed) verdicts.push_back(job_verdict(v));
  const char* message =
      status == picture_outside_tolerance ? tolerance_message(verdicts) : last_error.c_str();
  return send_answer(channel, status, message, verdicts, answer);
}

// Ends this process with `parent`, which may have ended already. By
// SIGTERM, which a job holds off while its picture has a temporary name.
void end_with(pid_t parent) {
  prctl(PR_SET_PDEATHSIG, SIGTERM);
  if (getppid() != parent) _exit(1);
}

}  // namespace

// Each job's stdout (help texts, verdicts, OUT=- bytes) goes nowhere and
// its stdin comes from nowhere (IN=- reads nothing), nor does it read the
// batch's input, which may be the batch itself. A report picture is drawn
// by the worker itself, as any other: the ids its drawing library counts
// through a process's life are renumbered in each SVG as a run alone
// numbers them (svg_ids.h), so that no job needs a process of its own.
void serve(int channel, int batch_input, pid_t parent, RunFunction run) {
  end_with(parent);
  signal(SIGPIPE, SIG_DFL);
  if (batch_input > STDERR_FILENO) close(batch_input);
  redirect(STDOUT_FILENO, "/dev/null", O_WRONLY);
  redirect(STDIN_FILENO, "/dev/null", O_RDONLY);
  std::string job, answer;
  std::vector<const char*> argv;
  while (receive_job(channel, job, argv)) {
    if (!run_job(channel, argv, run, answer)) break;
  }
  _exit(0);
}
