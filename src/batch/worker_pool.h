#pragma once

// The batch's jobs in flight: each handed to a worker (worker.h) as it is
// read, up to one per worker at once and one more queued behind it; their
// answers collected as they come and reported in line order (JobReport).
// A job waits for an earlier one writing its file, and while the jobs
// waiting to be reported are many; a worker that dies fails its job only.

#include <poll.h>
#include <sys/types.h>

#include <deque>
#include <string>
#include <vector>

#include "batch/job.h"
#include "batch/job_report.h"
#include "batch/run_batch.h"
#include "output/output_target.h"

// A worker is handed its next job while it draws one, so that it never
// waits for the parent between jobs (a wake-up each way).
constexpr int jobs_per_worker = 2;

struct Worker {
  pid_t pid = -1;
  Descriptor channel;  // the jobs' words to the worker, its answers back
  Job* jobs[jobs_per_worker] = {};
  int queued = 0;
};

class WorkerPool {
 public:
  WorkerPool(int input, int slots, RunFunction run, JobReport& report)
      : input_(input), workers_(static_cast<size_t>(slots)), run_(run), report_(report) {}
  // Runs the job of the line's words, or reports it unusable.
  void add(long line, const std::string& text);
  // Waits for every job and reports it, then ends the workers.
  void finish_all();

 private:
  Worker* worker_for(const Job& job, bool& started);
  bool start(Worker& w);
  void dispatch(Job& job, bool may_wait);
  bool must_wait(const Job& job) const;
  void wait_one();
  void collect(Worker& w);
  void answered(Worker& w);
  void lose(Worker& w, const char* garbled = nullptr);
  void fail_lost(Job& job, bool waited, int wait_status, const char* garbled);
  void report_done();
  void hold(Job& job, const OutputTarget& t);
  void release(Job& job);
  size_t busy() const;

  int input_;  // the batch file's descriptor, which no worker keeps
  std::vector<Worker> workers_;
  RunFunction run_;
  JobReport& report_;
  std::deque<Job> jobs_;        // in line order, reported from the front
  std::vector<pollfd> polled_;  // the busy workers' channels, in wait_one
  std::vector<pid_t> polled_pids_;
  size_t held_ = 0;  // jobs holding the file they replace
};
