#include "batch/run_batch.h"

#include <fcntl.h>
#include <poll.h>
#include <sched.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "batch/split_words.h"
#include "cmdline/parse_cmd.h"
#include "core/ascii_case.h"
#include "core/descriptor.h"
#include "core/last_error.h"
#include "core/scan_number.h"

namespace {

constexpr int batch_failed = 1;
constexpr int batch_unreadable = 255;
constexpr int picture_outside_tolerance = 1;  // a job's status with TOL=
// Jobs finished early wait for those before them to be reported; this many
// times the jobs in flight bounds the wait, and so the memory.
constexpr size_t waiting_per_slot = 4;
// A worker is handed its next job while it draws one, so that it never
// waits for the parent between jobs (a wake-up each way). Such a job must
// fit in the pipe beside the worker's answer, so that neither side ever
// blocks on the other.
constexpr int jobs_per_worker = 2;
constexpr size_t queued_request_limit = 4096;
// The file a job replaces is held by the batch until the job is answered,
// so that its last reference goes here and not in the worker: freeing a
// file's blocks may wait on the disk (for each file, on a file system that
// discards them), and the worker draws on meanwhile. Held files are few, so
// that descriptors are left for workers.
constexpr size_t most_held = 64;

struct Job {
  long line;
  bool done = false;
  int status = 0;
  std::string message;
  std::string request;  // its words as sent, kept until it is answered
  std::string output;   // where it writes: a later job writing there waits for it
  Descriptor held;      // the file there before the job, until it is answered
};

// A process that runs jobs one after another: starting a process for each
// job costs more than most pictures (its every page is faulted in anew),
// while a worker keeps its pages and its heap from job to job. The parent
// writes it a job's words; it answers with the status and the message, in
// the order of the jobs.
struct Worker {
  pid_t pid = -1;
  Descriptor to;    // the jobs' words, to the worker
  Descriptor from;  // status and message, from the worker
  Job* jobs[jobs_per_worker] = {};
  int queued = 0;
};

// A message on a pipe: its length, then its bytes, in one write, so that
// the other end wakes once for it. A job's message is its words, each
// ended by a NUL; an answer's is the status (4 bytes) and the message.
void frame_message(std::string& message) {
  uint32_t size = static_cast<uint32_t>(message.size());
  message.insert(0, reinterpret_cast<const char*>(&size), sizeof size);
}

bool send_message(int fd, std::string& message) {
  frame_message(message);
  return write_all(fd, message.data(), message.size());
}

bool receive_message(int fd, std::string& message) {
  uint32_t size;
  if (!read_all(fd, &size, sizeof size)) return false;
  message.resize(size);
  return read_all(fd, message.data(), size);
}

bool receive_job(int fd, std::string& message, std::vector<const char*>& argv) {
  if (!receive_message(fd, message) || (!message.empty() && message.back() != '\0')) return false;
  argv.assign(1, "afcdraw");
  for (size_t at = 0; at < message.size(); at = message.find('\0', at) + 1) {
    argv.push_back(message.c_str() + at);
  }
  return true;
}

// The worker: each job's stdout (help texts, verdicts, OUT=- bytes) goes
// nowhere and its stdin comes from nowhere (IN=- reads nothing), nor does
// it read the batch's input, which may be the batch itself. It ends when
// the parent closes its end.
[[noreturn]] void serve(int from_parent, int to_parent, RunFunction run) {
  signal(SIGPIPE, SIG_DFL);
  int null_out = open("/dev/null", O_WRONLY);
  int null_in = open("/dev/null", O_RDONLY);
  if (null_out >= 0) dup2(null_out, STDOUT_FILENO);
  if (null_in >= 0) dup2(null_in, STDIN_FILENO);
  std::string job, answer;
  std::vector<const char*> argv;
  while (receive_job(from_parent, job, argv)) {
    last_error.clear();
    int status = run(static_cast<int>(argv.size()), argv.data()) & 0xff;
    fflush(stdout);
    fflush(stderr);
    int32_t code = status;
    answer.assign(reinterpret_cast<const char*>(&code), sizeof code);
    answer += status == picture_outside_tolerance ? "outside tolerance" : last_error.c_str();
    if (!send_message(to_parent, answer)) break;
  }
  _exit(0);
}

// The file a job writes, as its command line names it; empty for a job
// that fails on its command line.
std::string output_path(const std::vector<std::string>& words) {
  std::vector<const char*> argv(1, "afcdraw");
  for (const std::string& word : words) argv.push_back(word.c_str());
  PlotOptions o{};
  Warnings warnings;
  if (parse_cmd(static_cast<int>(argv.size()), argv.data(), o, warnings) < 0) return {};
  return o.out_path;
}

// The path as a key: its folder's identity and the file's name, so that two
// spellings of one file meet.
std::string output_key(const std::string& path) {
  if (path.empty()) return {};
  size_t slash = path.rfind('/');
  std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  struct stat st;
  if (stat(folder.c_str(), &st) != 0) return path;
  return std::to_string(st.st_dev) + ":" + std::to_string(st.st_ino) + "/" +
         path.substr(slash == std::string::npos ? 0 : slash + 1);
}

class Batch {
 public:
  Batch(const char* name, int slots, RunFunction run)
      : name_(name), workers_(static_cast<size_t>(slots)), run_(run) {}
  void add(long line, const std::string& text);
  int finish_all();

 private:
  Worker* worker_for(const Job& job);
  bool start(Worker& w);
  void dispatch(Job& job, bool may_wait);
  bool must_wait(const Job& job) const;
  void wait_one();
  void collect(Worker& w);
  void lose(Worker& w);
  void report_done();
  void report(const Job& job);
  void release(Job& job);
  size_t busy() const;

  const char* name_;
  std::vector<Worker> workers_;
  RunFunction run_;
  std::deque<Job> jobs_;  // in line order, reported from the front
  long pictures_ = 0, failed_ = 0;
  size_t held_ = 0;                             // jobs holding the file they replace
  bool progress_ = isatty(STDERR_FILENO) != 0;  // a progress line, on a terminal only
};

size_t Batch::busy() const {
  size_t n = 0;
  for (const Worker& w : workers_) n += static_cast<size_t>(w.queued);
  return n;
}

// An idle worker, else a new one, else one drawing a job with room for
// another.
Worker* Batch::worker_for(const Job& job) {
  for (Worker& w : workers_) {
    if (w.pid > 0 && w.queued == 0) return &w;
  }
  for (Worker& w : workers_) {
    if (w.pid <= 0 && start(w)) return &w;
  }
  if (job.request.size() > queued_request_limit) return nullptr;
  for (Worker& w : workers_) {
    if (w.pid > 0 && w.queued < jobs_per_worker) return &w;
  }
  return nullptr;
}

bool Batch::start(Worker& w) {
  int to[2], from[2];
  if (pipe2(to, O_CLOEXEC) != 0) return false;
  if (pipe2(from, O_CLOEXEC) != 0) {
    close(to[0]), close(to[1]);
    return false;
  }
  fflush(stdout);
  fflush(stderr);
  pid_t pid = fork();
  if (pid == 0) {
    // Another worker's pipe held open here would never see its end.
    for (Worker& other : workers_) other.to.reset(), other.from.reset();
    for (Job& job : jobs_) job.held.reset();  // the batch's to let go, not this worker's
    close(to[1]), close(from[0]);
    serve(to[0], from[1], run_);
  }
  close(to[0]), close(from[1]);
  w.to.reset(to[1]);
  w.from.reset(from[0]);
  w.pid = pid;
  if (pid > 0) return true;
  w.to.reset(), w.from.reset();
  return false;
}

// Hands the job to a worker. A worker that died takes no job, and a new
// one is tried in its place. Unless `may_wait`, no answer is waited for.
void Batch::dispatch(Job& job, bool may_wait) {
  for (int lost = 0; lost < 2;) {
    Worker* w = worker_for(job);
    if (w == nullptr) {
      if (!may_wait || busy() == 0) break;
      wait_one();
      continue;
    }
    if (write_all(w->to.get(), job.request.data(), job.request.size())) {
      w->jobs[w->queued++] = &job;
      return;
    }
    lose(*w);
    ++lost;
  }
  int error = errno;
  release(job);
  job.done = true;
  job.status = 252;
  job.message = std::string("batch(): Unable to start the job: ") + strerror(error);
}

void Batch::release(Job& job) {
  if (!job.held.valid()) return;
  job.held.reset();
  --held_;
}

// A job waits while the jobs waiting to be reported are many, and while an
// earlier job writing its file is unanswered: the later line's picture is
// the one that stays.
bool Batch::must_wait(const Job& job) const {
  if (busy() == 0) return false;
  if (jobs_.size() > waiting_per_slot * workers_.size()) return true;
  if (job.output.empty()) return false;
  for (const Job& earlier : jobs_) {
    if (&earlier != &job && !earlier.done && earlier.output == job.output) return true;
  }
  return false;
}

void Batch::add(long line, const std::string& text) {
  std::vector<std::string> words;
  std::string why;
  bool split = split_words(text, words, why);
  if (split && words.empty()) return;  // blanks and a comment: no job
  jobs_.emplace_back();
  Job& job = jobs_.back();
  job.line = line;
  if (!split) {
    job.done = true;
    job.status = 255;
    job.message = "batch(): Unusable job line: " + why;
    report_done();
    return;
  }
  // A word ends at its first NUL, as an argument on a command line would.
  for (const std::string& word : words) job.request.append(word.c_str()).push_back('\0');
  frame_message(job.request);
  std::string path = output_path(words);
  job.output = output_key(path);
  while (must_wait(job)) wait_one();
  if (!path.empty() && held_ < most_held) {
    job.held.reset(open(path.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
    held_ += job.held.valid();
  }
  dispatch(job, true);
  report_done();
}

// Waits for any busy worker's answer.
void Batch::wait_one() {
  std::vector<pollfd> fds;
  for (const Worker& w : workers_) {
    if (w.queued > 0) fds.push_back({w.from.get(), POLLIN, 0});
  }
  if (fds.empty() || poll(fds.data(), fds.size(), -1) < 0) return;
  for (const pollfd& p : fds) {
    if (p.revents == 0) continue;
    for (Worker& w : workers_) {
      if (w.queued > 0 && w.from.get() == p.fd) collect(w);
    }
  }
  report_done();
}

// The worker's answer for its first job.
void Batch::collect(Worker& w) {
  Job* job = w.jobs[0];
  int32_t status;
  if (receive_message(w.from.get(), job->message) && job->message.size() >= sizeof status) {
    memcpy(&status, job->message.data(), sizeof status);
    job->message.erase(0, sizeof status);
    job->status = status;
    job->done = true;
    job->request = std::string();
    release(*job);
    std::move(w.jobs + 1, w.jobs + w.queued, w.jobs);
    w.jobs[--w.queued] = nullptr;
    return;
  }
  lose(w);
}

// A worker that ended without an answer (killed by a signal) is waited
// for. Its first job fails; the jobs queued behind it, never begun, go to
// another worker.
void Batch::lose(Worker& w) {
  w.to.reset(), w.from.reset();
  int wait_status = 0;
  while (waitpid(w.pid, &wait_status, 0) < 0 && errno == EINTR) {
  }
  w.pid = -1;
  Job* lost[jobs_per_worker];
  int count = w.queued;
  std::copy(w.jobs, w.jobs + count, lost);
  std::fill(w.jobs, w.jobs + jobs_per_worker, nullptr);
  w.queued = 0;
  if (count == 0) return;
  Job& job = *lost[0];
  job.status = WIFEXITED(wait_status) ? WEXITSTATUS(wait_status) : 128 + WTERMSIG(wait_status);
  job.message = WIFEXITED(wait_status) ? "" : "killed by signal";
  job.done = true;
  release(job);
  for (int k = 1; k < count; ++k) dispatch(*lost[k], false);
}

void Batch::report_done() {
  while (!jobs_.empty() && jobs_.front().done) {
    report(jobs_.front());
    jobs_.pop_front();
  }
}

void Batch::report(const Job& job) {
  ++pictures_;
  if (job.status != 0) {
    ++failed_;
    printf("%s:%ld: %d: %s\n", name_, job.line, job.status, job.message.c_str());
  }
  if (progress_) fprintf(stderr, "\r%ld pictures, %ld failed", pictures_, failed_);
}

int Batch::finish_all() {
  while (busy() > 0) wait_one();
  report_done();
  for (Worker& w : workers_) {
    if (w.pid > 0) lose(w);  // its end closed, it ends
  }
  if (progress_) fputc('\n', stderr);
  fprintf(stderr, "%ld pictures, %ld failed\n", pictures_, failed_);
  return failed_ > 0 ? batch_failed : 0;
}

int cores() {
  cpu_set_t set;
  if (sched_getaffinity(0, sizeof set, &set) != 0) return 1;
  return CPU_COUNT(&set) > 0 ? CPU_COUNT(&set) : 1;
}

int slots_from(int argc, const char* const argv[]) {
  int slots = cores();
  constexpr int most_slots = 256;
  for (int i = 3; i < argc; ++i) {
    if (!equal_folded(argv[i], "JOBS=", 5)) {
      fprintf(stderr, "afcdraw: warning: unknown argument \"%s\" ignored\n", argv[i]);
      continue;
    }
    int32_t n = decimal_value(argv[i] + 5);
    if (n > 0 && n <= most_slots) {
      slots = n;
    } else {
      fprintf(stderr, "afcdraw: warning: %s: not 1 ... %d, %d jobs at once\n", argv[i], most_slots,
              slots);
    }
  }
  return slots;
}

int unreadable(const char* name, int error) {
  printf("batch(): Unable to read the batch file\n");
  fprintf(stderr, "afcdraw: %s: %s\n", name, strerror(error));
  return batch_unreadable;
}

bool is_job(const std::string& line) {
  return !line.empty() && line[0] != '#' && line.find_first_not_of(" \t\r") != std::string::npos;
}

}  // namespace

bool asks_for_batch(int argc, const char* const argv[]) {
  return argc >= 2 && equal_folded(argv[1], "--batch", sizeof "--batch");
}

int run_batch(int argc, const char* const argv[], RunFunction run) {
  const char* name = argc >= 3 ? argv[2] : "";
  FILE* file = strcmp(name, "-") == 0 ? stdin : fopen(name, "re");
  if (file == nullptr) return unreadable(name, errno);
  // A worker that died is found by its pipe, not by a signal to the batch.
  signal(SIGPIPE, SIG_IGN);
  Batch batch(name, slots_from(argc, argv), run);
  std::string line;
  long number = 0;
  for (int c; (c = getc(file)) != EOF || !line.empty();) {
    if (c != '\n' && c != EOF) {
      line += static_cast<char>(c);
      continue;
    }
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();  // CR LF line ends
    if (is_job(line)) batch.add(number, line);
    line.clear();
    if (c == EOF) break;
  }
  int error = ferror(file) != 0 ? errno : 0;
  if (file != stdin) fclose(file);
  int status = batch.finish_all();
  return error != 0 ? unreadable(name, error) : status;
}
