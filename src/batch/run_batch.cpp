#include "batch/run_batch.h"

#include <fcntl.h>
#include <sched.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
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
  pid_t pid = -1;
  Descriptor result;  // the child's status line and message
  bool done = false;
  int status = 0;
  std::string message;
};

// The child: the job's stdout (help texts, verdicts, OUT=- bytes) goes
// nowhere and its stdin comes from nowhere (IN=- reads nothing); its
// message goes back through `result`.
[[noreturn]] void run_job(const std::vector<std::string>& words, int result, RunFunction run) {
  // Nor does a job read the batch's input, which may be the batch itself.
  int null_out = open("/dev/null", O_WRONLY);
  int null_in = open("/dev/null", O_RDONLY);
  if (null_out >= 0) dup2(null_out, STDOUT_FILENO);
  if (null_in >= 0) dup2(null_in, STDIN_FILENO);
  std::vector<const char*> argv{"afcdraw"};
  for (const std::string& w : words) argv.push_back(w.c_str());
  int status = run(static_cast<int>(argv.size()), argv.data());
  fflush(stdout);
  fflush(stderr);
  std::string message = status == picture_outside_tolerance ? "outside tolerance" : last_error;
  (void)!write(result, message.data(), message.size());
  _exit(status & 0xff);
}

bool start(Job& job, const std::vector<std::string>& words, RunFunction run) {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return false;
  fflush(stdout);
  fflush(stderr);
  pid_t pid = fork();
  if (pid == 0) {
    close(fds[0]);
    run_job(words, fds[1], run);
  }
  close(fds[1]);
  job.result.reset(fds[0]);
  job.pid = pid;
  return pid > 0;
}

// Collects a finished child's status and message.
void finish(Job& job, int wait_status) {
  char buffer[4096];
  ssize_t n;
  while ((n = read(job.result.get(), buffer, sizeof buffer)) > 0) job.message.append(buffer, n);
  job.result.reset();
  job.status = WIFEXITED(wait_status) ? WEXITSTATUS(wait_status) : 128 + WTERMSIG(wait_status);
  if (!WIFEXITED(wait_status)) job.message = "killed by signal";
  job.done = true;
}

class Batch {
 public:
  Batch(const char* name, int slots, RunFunction run) : name_(name), slots_(slots), run_(run) {}
  void add(long line, const std::string& text);
  int finish_all();

 private:
  void wait_one();
  void report_done();
  void report(const Job& job);

  const char* name_;
  size_t slots_;
  RunFunction run_;
  std::deque<Job> jobs_;  // in line order, reported from the front
  size_t running_ = 0;
  long pictures_ = 0, failed_ = 0;
};

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
  } else {
    while (running_ >= slots_ || jobs_.size() > waiting_per_slot * slots_) wait_one();
    if (start(job, words, run_)) {
      ++running_;
    } else {
      job.done = true;
      job.status = 252;
      job.message = std::string("batch(): Unable to start the job: ") + strerror(errno);
    }
  }
  report_done();
}

// Waits for any job, or for the first when too many wait behind it.
void Batch::wait_one() {
  pid_t wanted = jobs_.size() > waiting_per_slot * slots_ ? jobs_.front().pid : -1;
  int wait_status;
  pid_t pid = waitpid(wanted, &wait_status, 0);
  if (pid < 0) return;
  for (Job& job : jobs_) {
    if (job.pid == pid && !job.done) {
      finish(job, wait_status);
      --running_;
    }
  }
  report_done();
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
  if (isatty(STDERR_FILENO)) fprintf(stderr, "\r%ld pictures, %ld failed", pictures_, failed_);
}

int Batch::finish_all() {
  while (running_ > 0) wait_one();
  report_done();
  if (isatty(STDERR_FILENO)) fputc('\n', stderr);
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
