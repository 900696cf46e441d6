#include "batch/worker.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "batch/channel.h"
#include "core/descriptor.h"
#include "core/last_error.h"
#include "core/messages.h"

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

// All that `fd` gives up to its end; false past `limit` bytes.
bool read_to_end(int fd, std::string& text, size_t limit) {
  char buffer[4096];
  text.clear();
  for (;;) {
    ssize_t n = read(fd, buffer, sizeof buffer);
    if (n == 0) return true;
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 || text.size() + static_cast<size_t>(n) > limit) return false;
    text.append(buffer, static_cast<size_t>(n));
  }
}

bool answer_without_verdicts(int channel, int status, const char* message, std::string& answer) {
  return send_answer(channel, status, message, {}, answer);
}

// The answer for a forked report job that gave none of its own.
bool answer_for(int channel, pid_t pid, int status, bool wrote, std::string& answer) {
  if (pid < 0)
    return answer_without_verdicts(channel, job_not_run, message::job_not_started, answer);
  if (wrote) return answer_without_verdicts(channel, job_not_run, message::job_garbled, answer);
  if (WIFSIGNALED(status)) {
    return answer_without_verdicts(channel, killed_status_base + WTERMSIG(status),
                                   message::job_killed, answer);
  }
  return answer_without_verdicts(channel, job_not_run, message::job_without_answer, answer);
}

// Runs a report job in a process forked for it, which answers the worker;
// the worker passes the answer on, so that the job has one answer whatever
// becomes of that process. False when the answer could not be sent.
bool run_forked(int channel, const std::vector<const char*>& argv, size_t request_size,
                RunFunction run, std::string& answer) {
  int ends[2];
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) {
    return answer_for(channel, -1, 0, false, answer);
  }
  pid_t worker = getpid();
  pid_t pid = fork();
  if (pid == 0) {
    close(channel), close(ends[0]);
    end_with(worker);
    _exit(run_job(ends[1], argv, run, answer) ? 0 : 1);
  }
  close(ends[1]);
  bool whole = pid > 0 && read_to_end(ends[0], answer, most_framed_answer(request_size)) &&
               is_one_answer(answer, request_size);
  if (pid > 0 && !whole) kill(pid, SIGKILL);
  close(ends[0]);
  int status = 0;
  while (pid > 0 && waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (whole) return write_all(channel, answer.data(), answer.size());
  return answer_for(channel, pid, status, !answer.empty(), answer);
}

}  // namespace

// Each job's stdout (help texts, verdicts, OUT=- bytes) goes nowhere and
// its stdin comes from nowhere (IN=- reads nothing), nor does it read the
// batch's input, which may be the batch itself. A report picture is drawn
// in a process forked for it: its drawing library numbers what it draws
// (the ids in an SVG) through a process's life, and a worker that drew
// none hands each such process the numbering of a run alone.
void serve(int channel, int batch_input, pid_t parent, RunFunction run, PrepareFunction prepare) {
  end_with(parent);
  signal(SIGPIPE, SIG_DFL);
  if (batch_input > STDERR_FILENO) close(batch_input);
  redirect(STDOUT_FILENO, "/dev/null", O_WRONLY);
  redirect(STDIN_FILENO, "/dev/null", O_RDONLY);
  std::string job, answer;
  std::vector<const char*> argv;
  bool report;
  while (receive_job(channel, job, argv, report)) {
    bool answered;
    if (report) {
      if (prepare != nullptr) std::exchange(prepare, nullptr)();
      answered = run_forked(channel, argv, job.size(), run, answer);
    } else {
      answered = run_job(channel, argv, run, answer);
    }
    if (!answered) break;
  }
  _exit(0);
}
