#include "batch/run_batch.h"

#include <fcntl.h>
#include <poll.h>
#include <sched.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "batch/split_words.h"
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

struct Job {
  long line;
  bool done = false;
  int status = 0;
  std::string message;
};

// A process that runs jobs one after another: starting a process for each
// job costs more than most pictures (its every page is faulted in anew),
// while a worker keeps its pages and its heap from job to job. The parent
// writes it a job's words; it answers with the status and the message.
struct Worker {
  pid_t pid = -1;
  Descriptor to;    // the job's words, to the worker
  Descriptor from;  // status and message, from the worker
  Job* job = nullptr;
};

// A message on a pipe: its length, then its bytes, in one write, so that
// the other end wakes once for it. A job's message is its words, each
// ended by a NUL; an answer's is the status (4 bytes) and the message.
bool send_message(int fd, std::string& message) {
  uint32_t size = static_cast<uint32_t>(message.size());
  message.insert(0, reinterpret_cast<const char*>(&size), sizeof size);
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

class Batch {
 public:
  Batch(const char* name, int slots, RunFunction run)
      : name_(name), workers_(static_cast<size_t>(slots)), run_(run) {}
  void add(long line, const std::string& text);
  int finish_all();

 private:
  Worker* idle_worker();
  bool start(Worker& w);
  bool send(Worker& w, Job& job, const std::vector<std::string>& words);
  void wait_one();
  void collect(Worker& w);
  void report_done();
  void report(const Job& job);
  size_t busy() const;

  const char* name_;
  std::vector<Worker> workers_;
  RunFunction run_;
  std::deque<Job> jobs_;  // in line order, reported from the front
  long pictures_ = 0, failed_ = 0;
  bool progress_ = isatty(STDERR_FILENO) != 0;  // a progress line, on a terminal only
};

size_t Batch::busy() const {
  size_t n = 0;
  for (const Worker& w : workers_) n += w.job != nullptr;
  return n;
}

Worker* Batch::idle_worker() {
  for (Worker& w : workers_) {
    if (w.job == nullptr && (w.pid > 0 || start(w))) return &w;
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

bool Batch::send(Worker& w, Job& job, const std::vector<std::string>& words) {
  std::string message;
  // A word ends at its first NUL, as an argument on a command line would.
  for (const std::string& word : words) message.append(word.c_str()).push_back('\0');
  bool sent = send_message(w.to.get(), message);
  if (sent) w.job = &job;
  return sent;
}

void Batch::add(long line, const std::string& text) {
  std::vector<std::string> words;
  std::string why;
  bool split = split_words(text, words, why);
  if (split && words.empty()) return;  // blanks and a comment: no job
  jobs_.emplace_back();
  jobs_.back().line = line;
  Job& job = jobs_.back();
  if (!split) {
    job.done = true;
    job.status = 255;
    job.message = "batch(): Unusable job line: " + why;
    report_done();
    return;
  }
  Worker* w = nullptr;
  while (busy() > 0 &&
         (jobs_.size() > waiting_per_slot * workers_.size() || (w = idle_worker()) == nullptr)) {
    wait_one();
  }
  if (w == nullptr) w = idle_worker();
  if (w != nullptr && !send(*w, job, words)) {
    collect(*w);  // a worker that died idle takes no job: a new one is tried
    w = idle_worker();
    if (w != nullptr && !send(*w, job, words)) collect(*w), w = nullptr;
  }
  if (w == nullptr) {
    job.done = true;
    job.status = 252;
    job.message = std::string("batch(): Unable to start the job: ") + strerror(errno);
  }
  report_done();
}

// Waits for any busy worker's answer.
void Batch::wait_one() {
  std::vector<pollfd> fds;
  for (const Worker& w : workers_) {
    if (w.job != nullptr) fds.push_back({w.from.get(), POLLIN, 0});
  }
  if (fds.empty() || poll(fds.data(), fds.size(), -1) < 0) return;
  for (const pollfd& p : fds) {
    if (p.revents == 0) continue;
    for (Worker& w : workers_) {
      if (w.job != nullptr && w.from.get() == p.fd) collect(w);
    }
  }
  report_done();
}

// The worker's answer for its job; a worker that ended without one (killed
// by a signal) is waited for, and another takes its place when needed.
void Batch::collect(Worker& w) {
  Job* job = w.job;
  w.job = nullptr;
  int32_t status;
  if (job != nullptr && receive_message(w.from.get(), job->message) &&
      job->message.size() >= sizeof status) {
    memcpy(&status, job->message.data(), sizeof status);
    job->message.erase(0, sizeof status);
    job->status = status;
    job->done = true;
    return;
  }
  w.to.reset(), w.from.reset();
  int wait_status = 0;
  while (waitpid(w.pid, &wait_status, 0) < 0 && errno == EINTR) {
  }
  w.pid = -1;
  if (job == nullptr) return;
  job->status = WIFEXITED(wait_status) ? WEXITSTATUS(wait_status) : 128 + WTERMSIG(wait_status);
  job->message = WIFEXITED(wait_status) ? "" : "killed by signal";
  job->done = true;
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
    if (w.pid > 0) collect(w);  // its end closed, it ends
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
