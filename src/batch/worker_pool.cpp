#include "batch/worker_pool.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

#include "batch/split_words.h"
#include "batch/worker.h"
#include "cmdline/parse_cmd.h"
#include "core/messages.h"

namespace {

// Jobs finished early wait for those before them to be reported; this many
// times the jobs in flight bounds the wait, and so the memory.
constexpr size_t waiting_per_slot = 4;
// A job queued behind another must fit in the channel beside the worker's
// answer, so that neither side ever blocks on the other.
constexpr size_t queued_request_limit = 4096;
// The file a job replaces is held by the batch until the job is answered,
// so that its last reference goes here and not in the worker: freeing a
// file's blocks may wait on the disk (for each file, on a file system that
// discards them), and the worker draws on meanwhile. Held files are few, so
// that descriptors are left for workers.
constexpr size_t most_held = 64;
constexpr int unusable_line = 255;  // as a command line that cannot be parsed

// The job's options as its command line gives them (where it writes);
// false for a job that fails there.
bool parse_job(const std::vector<std::string>& words, PlotOptions& o) {
  std::vector<const char*> argv(1, "afcdraw");
  for (const std::string& word : words) argv.push_back(word.c_str());
  Warnings warnings;
  return parse_cmd(static_cast<int>(argv.size()), argv.data(), o, warnings) >= 0;
}

}  // namespace

size_t WorkerPool::busy() const {
  size_t n = 0;
  for (const Worker& w : workers_) n += static_cast<size_t>(w.queued);
  return n;
}

// An idle worker, else a new one (`started`), else one drawing a job with
// room for another.
Worker* WorkerPool::worker_for(const Job& job, bool& started) {
  started = false;
  for (Worker& w : workers_) {
    if (w.pid > 0 && w.queued == 0) return &w;
  }
  for (Worker& w : workers_) {
    if (w.pid <= 0 && start(w)) return started = true, &w;
  }
  if (job.request.size() > queued_request_limit) return nullptr;
  for (Worker& w : workers_) {
    if (w.pid > 0 && w.queued < jobs_per_worker) return &w;
  }
  return nullptr;
}

bool WorkerPool::start(Worker& w) {
  int ends[2];
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) return false;
  fflush(stdout);
  fflush(stderr);
  pid_t parent = getpid();
  pid_t pid = fork();
  if (pid == 0) {
    // Another worker's channel held open here would never see its end.
    for (Worker& other : workers_) other.channel.reset();
    for (Job& job : jobs_) job.held.reset();  // the batch's to let go, not this worker's
    close(ends[0]);
    serve(ends[1], input_, parent, run_);
  }
  close(ends[1]);
  w.channel.reset(ends[0]);
  w.pid = pid;
  if (pid > 0) return true;
  w.channel.reset();
  return false;
}

// Hands the job to a worker. A worker that died takes no job, and another
// is tried in its place; a worker started for the job that dies at once
// twice ends the trying. Unless `may_wait`, no answer is waited for.
void WorkerPool::dispatch(Job& job, bool may_wait) {
  for (int lost = 0; lost < 2;) {
    bool started;
    Worker* w = worker_for(job, started);
    if (w == nullptr) {
      if (!may_wait || busy() == 0) break;
      wait_one();
      continue;
    }
    if (write_all(w->channel.get(), job.request.data(), job.request.size())) {
      w->jobs[w->queued++] = &job;
      return;
    }
    lose(*w);
    lost += started;
  }
  int error = errno;
  release(job);
  job.done = true;
  job.answer.status = job_not_run;
  job.answer.message = std::string(message::job_not_started) + ": " + strerror(error);
}

// Holds the file the job is to replace (see most_held).
void WorkerPool::hold(Job& job, const OutputTarget& t) {
  if (!t.exists || !S_ISREG(t.file_stat.st_mode) || held_ >= most_held) return;
  job.held.reset(openat(t.folder.get(), t.name.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
  held_ += job.held.valid();
}

void WorkerPool::release(Job& job) {
  if (!job.held.valid()) return;
  job.held.reset();
  --held_;
}

// A job waits while the jobs waiting to be reported are many, and while an
// earlier job writing its file is unanswered: the later line's picture is
// the one that stays.
bool WorkerPool::must_wait(const Job& job) const {
  if (busy() == 0) return false;
  if (jobs_.size() > waiting_per_slot * workers_.size()) return true;
  for (const Job& earlier : jobs_) {
    if (&earlier != &job && !earlier.done && earlier.output.meets(job.output)) return true;
  }
  return false;
}

void WorkerPool::add(long line, const std::string& text) {
  std::vector<std::string> words;
  std::string why;
  bool split = split_words(text, words, why);
  if (split && words.empty()) return;  // blanks and a comment: no job
  jobs_.emplace_back();
  Job& job = jobs_.back();
  job.line = line;
  if (!split) {
    job.done = true;
    job.answer.status = unusable_line;
    job.answer.message = message::job_line_unusable + why;
  } else {
    PlotOptions o{};
    bool parsed = parse_job(words, o);
    if (parsed) job.out_path = o.out_path;
    // A word ends at its first NUL, as an argument on a command line would.
    for (const std::string& word : words) job.request.append(word.c_str()).push_back('\0');
    frame_message(job.request);
    // The walk's descriptors are let go before any worker is started.
    OutputTarget t;
    job.output = find_output(parsed ? o.out_path : std::string(), t);
    hold(job, t);
  }
  while (must_wait(job)) wait_one();
  if (split) dispatch(job, true);
  report_done();
}

// Waits for any busy worker's answer.
void WorkerPool::wait_one() {
  polled_.clear();
  polled_pids_.clear();
  for (Worker& w : workers_) {
    if (w.queued == 0) continue;
    polled_.push_back({w.channel.get(), POLLIN, 0});
    polled_pids_.push_back(w.pid);
  }
  if (polled_.empty() || poll(polled_.data(), polled_.size(), -1) < 0) return;
  for (size_t k = 0; k < polled_.size(); ++k) {
    // A worker lost while another's answer was read, and started anew,
    // may have the same descriptor, but no answer to read yet.
    for (Worker& w : workers_) {
      if (polled_[k].revents != 0 && w.pid == polled_pids_[k] && w.queued > 0) collect(w);
    }
  }
  report_done();
}

// The worker's answer for its first job.
void WorkerPool::collect(Worker& w) {
  Answer answer = receive_answer(w.channel.get(), w.jobs[0]->request.size(), w.jobs[0]->answer);
  if (answer == Answer::answered) return answered(w);
  lose(w, answer == Answer::garbled ? message::job_garbled : nullptr);
}

// The first job of the worker is answered.
void WorkerPool::answered(Worker& w) {
  Job* job = w.jobs[0];
  job->done = true;
  job->request = std::string();
  release(*job);
  std::move(w.jobs + 1, w.jobs + w.queued, w.jobs);
  w.jobs[--w.queued] = nullptr;
}

// A worker that ended (killed by a signal), or whose channel a job wrote
// into (`garbled`, the worker is then ended), is waited for. The answers it
// gave before it ended count; its next job fails; the jobs queued behind
// that one, never begun, go to another worker.
void WorkerPool::lose(Worker& w, const char* garbled) {
  if (garbled != nullptr) {
    kill(w.pid, SIGKILL);
  } else {
    // A worker still running ends once it has answered the jobs it holds.
    shutdown(w.channel.get(), SHUT_WR);
    while (w.queued > 0 && receive_answer(w.channel.get(), w.jobs[0]->request.size(),
                                          w.jobs[0]->answer) == Answer::answered) {
      answered(w);
    }
  }
  w.channel.reset();
  int wait_status = 0;
  pid_t waited;
  while ((waited = waitpid(w.pid, &wait_status, 0)) < 0 && errno == EINTR) {
  }
  w.pid = -1;
  Job* lost[jobs_per_worker];
  int count = w.queued;
  std::copy(w.jobs, w.jobs + count, lost);
  std::fill(w.jobs, w.jobs + jobs_per_worker, nullptr);
  w.queued = 0;
  if (count == 0) return;
  fail_lost(*lost[0], waited > 0, wait_status, garbled);
  for (int k = 1; k < count; ++k) dispatch(*lost[k], false);
}

// The job a worker ended in: never a success, whatever the worker's status.
void WorkerPool::fail_lost(Job& job, bool waited, int wait_status, const char* garbled) {
  job.answer.verdicts.clear();  // what a garbled answer seemed to hold
  if (garbled != nullptr) {
    job.answer.status = job_not_run;
    job.answer.message = garbled;
  } else if (waited && WIFSIGNALED(wait_status)) {
    job.answer.status = killed_status_base + WTERMSIG(wait_status);
    job.answer.message = message::job_killed;
  } else if (waited && WIFEXITED(wait_status) && WEXITSTATUS(wait_status) != 0) {
    job.answer.status = WEXITSTATUS(wait_status);
    job.answer.message.clear();
  } else {
    job.answer.status = job_not_run;
    job.answer.message = message::job_without_answer;
  }
  job.done = true;
  release(job);
}

void WorkerPool::report_done() {
  while (!jobs_.empty() && jobs_.front().done) {
    report_.report(jobs_.front());
    jobs_.pop_front();
  }
}

void WorkerPool::finish_all() {
  while (busy() > 0) wait_one();
  report_done();
  for (Worker& w : workers_) {
    if (w.pid > 0) lose(w);  // its end closed, it ends
  }
}
