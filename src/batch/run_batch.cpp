#include "batch/run_batch.h"

#include <fcntl.h>
#include <poll.h>
#include <sched.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
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
#include <utility>
#include <vector>

#include "batch/split_words.h"
#include "cmdline/parse_cmd.h"
#include "core/ascii_case.h"
#include "core/descriptor.h"
#include "core/file_identity.h"
#include "core/last_error.h"
#include "core/messages.h"
#include "core/scan_number.h"
#include "output/output_target.h"

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
// A worker's answer is a status and a message of a few lines at most.
constexpr uint32_t most_answer = 65536;
constexpr int job_not_run = 252;  // the batch could not run the job to its end
// A job's request begins with its kind: a report picture is drawn in a
// process of its own (serve).
constexpr char picture_job = 'P';
constexpr char report_job = 'R';

// Where a job writes, so that a later job writing there waits for it: the
// folder and the name its path leads to, links followed as the job follows
// them, and the file there, which another name may share.
struct Output {
  std::string place;  // empty: nowhere another job could write
  FileIdentity file;
  bool unknown = false;  // the path could not be followed (out of descriptors): anywhere

  bool meets(const Output& other) const {
    if (unknown || other.unknown) return true;
    if (!place.empty() && place == other.place) return true;
    return file.known && other.file.known && file.device == other.file.device &&
           file.inode == other.file.inode;
  }
};

struct Job {
  long line;
  bool done = false;
  int status = 0;
  std::string message;
  std::string request;  // its words as sent, kept until it is answered
  Output output;        // a later job writing there waits for it
  Descriptor held;      // the file there before the job, until it is answered
};

// A process that runs jobs one after another: starting a process for each
// job costs more than most pictures (its every page is faulted in anew),
// while a worker keeps its pages and its heap from job to job. The parent
// writes it a job's words; it answers with the status and the message, in
// the order of the jobs. They talk through a socket, which no job can
// open by a name such as /dev/fd/N, as it could a pipe.
struct Worker {
  pid_t pid = -1;
  Descriptor channel;  // the jobs' words to the worker, its answers back
  Job* jobs[jobs_per_worker] = {};
  int queued = 0;
};

// A message on a channel: its length, then its bytes, in one write, so
// that the other end wakes once for it. A job's message is its kind and its
// words, each ended by a NUL; an answer's is the status (4 bytes) and the
// message.
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

bool receive_job(int fd, std::string& message, std::vector<const char*>& argv, bool& report) {
  if (!receive_message(fd, message) || message.empty() || message.back() != '\0') return false;
  report = message[0] == report_job;
  argv.assign(1, "afcdraw");
  for (size_t at = 1; at < message.size(); at = message.find('\0', at) + 1) {
    argv.push_back(message.c_str() + at);
  }
  return true;
}

// Puts `path` on the standard descriptor `fd`, keeping no other descriptor.
void redirect(int fd, const char* path, int flags) {
  int opened = open(path, flags);
  if (opened < 0 || opened == fd) return;
  dup2(opened, fd);
  close(opened);
}

// An answer's length and status as the batch takes them: a status of 0 to
// 255 and a message no longer than a few lines and the job's words (a
// message may quote an argument whole). No picture's first bytes are such.
bool is_answer(uint32_t size, int32_t status, size_t request_size) {
  return size >= sizeof status && size <= most_answer + request_size && status >= 0 &&
         status <= 0xff;
}

bool send_answer(int channel, int status, const char* message, std::string& answer) {
  int32_t code = status;
  answer.assign(reinterpret_cast<const char*>(&code), sizeof code);
  answer += message;
  return send_message(channel, answer);
}

// Runs the job and answers it; false when the answer could not be sent.
bool run_job(int channel, const std::vector<const char*>& argv, RunFunction run,
             std::string& answer) {
  last_error.clear();
  int status = run(static_cast<int>(argv.size()), argv.data()) & 0xff;
  fflush(stdout);
  fflush(stderr);
  const char* message =
      status == picture_outside_tolerance ? message::job_outside_tolerance : last_error.c_str();
  return send_answer(channel, status, message, answer);
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

// Whether `text` is one whole framed answer and nothing more.
bool is_one_answer(const std::string& text, size_t request_size) {
  uint32_t size;
  int32_t status;
  if (text.size() < sizeof size + sizeof status) return false;
  memcpy(&size, text.data(), sizeof size);
  memcpy(&status, text.data() + sizeof size, sizeof status);
  return is_answer(size, status, request_size) && text.size() == sizeof size + size;
}

// The answer for a forked report job that gave none of its own.
bool answer_for(int channel, pid_t pid, int status, bool wrote, std::string& answer) {
  if (pid < 0) return send_answer(channel, job_not_run, message::job_not_started, answer);
  if (wrote) return send_answer(channel, job_not_run, message::job_garbled, answer);
  if (WIFSIGNALED(status)) {
    return send_answer(channel, 128 + WTERMSIG(status), message::job_killed, answer);
  }
  return send_answer(channel, job_not_run, message::job_without_answer, answer);
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
  size_t limit = sizeof(uint32_t) + sizeof(int32_t) + most_answer + request_size;
  bool whole =
      pid > 0 && read_to_end(ends[0], answer, limit) && is_one_answer(answer, request_size);
  if (pid > 0 && !whole) kill(pid, SIGKILL);
  close(ends[0]);
  int status = 0;
  while (pid > 0 && waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (whole) return write_all(channel, answer.data(), answer.size());
  return answer_for(channel, pid, status, !answer.empty(), answer);
}

// The worker: each job's stdout (help texts, verdicts, OUT=- bytes) goes
// nowhere and its stdin comes from nowhere (IN=- reads nothing), nor does
// it read the batch's input, which may be the batch itself: a job reaches
// no descriptor of the batch. A report picture is drawn in a process forked
// for it: its drawing library numbers what it draws (the ids in an SVG)
// through a process's life, and a worker that drew none hands each such
// process the numbering of a run alone. The worker ends when the parent
// closes its end, or ends.
[[noreturn]] void serve(int channel, int batch_input, pid_t parent, RunFunction run,
                        PrepareFunction prepare) {
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

// The job's options as its command line gives them (where it writes, and
// whether in the report style); false for a job that fails there.
bool parse_job(const std::vector<std::string>& words, PlotOptions& o) {
  std::vector<const char*> argv(1, "afcdraw");
  for (const std::string& word : words) argv.push_back(word.c_str());
  Warnings warnings;
  return parse_cmd(static_cast<int>(argv.size()), argv.data(), o, warnings) >= 0;
}

// Where the path leads, walked as the job will walk it: nowhere for
// standard output or one of the worker's descriptors; anywhere for a path
// that could not be followed, which may lead where the job's will.
Output find_output(const std::string& path, OutputTarget& t) {
  if (path.empty() || path == "-") return {};
  Output o;
  if (find_output_target(path.c_str(), t) < 0) {
    o.unknown = true;
    return o;
  }
  if (t.own_fd >= 0) return o;
  o.place = std::to_string(t.folder_stat.st_dev) + ":" + std::to_string(t.folder_stat.st_ino) +
            "/" + t.name;
  if (t.exists) o.file = identity_of(t.file_stat);
  return o;
}

// A worker's answer to its first job, or why there is none: the worker
// ended, or what came is no answer of its (a job wrote into the channel).
enum class Answer { answered, ended, garbled };

Answer receive_answer(int fd, Job& job) {
  uint32_t size;
  int32_t status;
  if (!read_all(fd, &size, sizeof size)) return Answer::ended;
  if (size < sizeof status || size > most_answer + job.request.size()) return Answer::garbled;
  job.message.resize(size);
  if (!read_all(fd, job.message.data(), size)) return Answer::ended;
  memcpy(&status, job.message.data(), sizeof status);
  if (!is_answer(size, status, job.request.size())) return Answer::garbled;
  job.message.erase(0, sizeof status);
  job.status = status;
  return Answer::answered;
}

class Batch {
 public:
  Batch(const char* name, int input, int slots, RunFunction run, PrepareFunction prepare)
      : name_(name),
        input_(input),
        workers_(static_cast<size_t>(slots)),
        run_(run),
        prepare_(prepare) {}
  void add(long line, const std::string& text);
  int finish_all();

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
  void report(const Job& job);
  void hold(Job& job, const OutputTarget& t);
  void release(Job& job);
  size_t busy() const;

  const char* name_;
  int input_;  // the batch file's descriptor, which no worker keeps
  std::vector<Worker> workers_;
  RunFunction run_;
  PrepareFunction prepare_;
  std::deque<Job> jobs_;  // in line order, reported from the front
  long pictures_ = 0, failed_ = 0;
  std::vector<pollfd> polled_;  // the busy workers' channels, in wait_one
  std::vector<pid_t> polled_pids_;
  size_t held_ = 0;                             // jobs holding the file they replace
  bool progress_ = isatty(STDERR_FILENO) != 0;  // a progress line, on a terminal only
};

size_t Batch::busy() const {
  size_t n = 0;
  for (const Worker& w : workers_) n += static_cast<size_t>(w.queued);
  return n;
}

// An idle worker, else a new one (`started`), else one drawing a job with
// room for another.
Worker* Batch::worker_for(const Job& job, bool& started) {
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

bool Batch::start(Worker& w) {
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
    serve(ends[1], input_, parent, run_, prepare_);
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
void Batch::dispatch(Job& job, bool may_wait) {
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
  job.status = job_not_run;
  job.message = std::string(message::job_not_started) + ": " + strerror(error);
}

// Holds the file the job is to replace (see most_held).
void Batch::hold(Job& job, const OutputTarget& t) {
  if (!t.exists || !S_ISREG(t.file_stat.st_mode) || held_ >= most_held) return;
  job.held.reset(openat(t.folder.get(), t.name.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
  held_ += job.held.valid();
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
  for (const Job& earlier : jobs_) {
    if (&earlier != &job && !earlier.done && earlier.output.meets(job.output)) return true;
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
    job.message = message::job_line_unusable + why;
  } else {
    PlotOptions o{};
    bool parsed = parse_job(words, o);
    job.request.push_back(parsed && o.report ? report_job : picture_job);
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
void Batch::wait_one() {
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
void Batch::collect(Worker& w) {
  Answer answer = receive_answer(w.channel.get(), *w.jobs[0]);
  if (answer == Answer::answered) return answered(w);
  lose(w, answer == Answer::garbled ? message::job_garbled : nullptr);
}

// The first job of the worker is answered.
void Batch::answered(Worker& w) {
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
void Batch::lose(Worker& w, const char* garbled) {
  if (garbled != nullptr) {
    kill(w.pid, SIGKILL);
  } else {
    // A worker still running ends once it has answered the jobs it holds.
    shutdown(w.channel.get(), SHUT_WR);
    while (w.queued > 0 && receive_answer(w.channel.get(), *w.jobs[0]) == Answer::answered) {
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
void Batch::fail_lost(Job& job, bool waited, int wait_status, const char* garbled) {
  if (garbled != nullptr) {
    job.status = job_not_run;
    job.message = garbled;
  } else if (waited && WIFSIGNALED(wait_status)) {
    job.status = 128 + WTERMSIG(wait_status);
    job.message = message::job_killed;
  } else if (waited && WIFEXITED(wait_status) && WEXITSTATUS(wait_status) != 0) {
    job.status = WEXITSTATUS(wait_status);
    job.message.clear();
  } else {
    job.status = job_not_run;
    job.message = message::job_without_answer;
  }
  job.done = true;
  release(job);
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
    printf(message::batch_job_line, name_, job.line, job.status, job.message.c_str());
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

constexpr int most_slots = 256;

int cores() {
  cpu_set_t set;
  if (sched_getaffinity(0, sizeof set, &set) != 0) return 1;
  return std::clamp(CPU_COUNT(&set), 1, most_slots);
}

int slots_from(int argc, const char* const argv[]) {
  int slots = cores();
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
  printf("%s\n", message::batch_unreadable);
  if (*name == '\0') {
    fprintf(stderr, "afcdraw: --batch needs a batch file, or - for standard input\n");
  } else {
    fprintf(stderr, "afcdraw: %s: %s\n", name, strerror(error));
  }
  return batch_unreadable;
}

bool is_job(const std::string& line) {
  return !line.empty() && line[0] != '#' && line.find_first_not_of(" \t") != std::string::npos;
}

}  // namespace

bool asks_for_batch(int argc, const char* const argv[]) {
  return argc >= 2 && equal_folded(argv[1], "--batch", sizeof "--batch");
}

// Standard descriptors the caller closed are opened on /dev/null, so that
// none of the batch's own descriptors takes their numbers, where a job
// would write its diagnostics or a worker its jobs' output.
void open_standard_descriptors() {
  for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
    if (fcntl(fd, F_GETFD) < 0) open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY);
  }
}

int run_batch(int argc, const char* const argv[], RunFunction run, PrepareFunction prepare_report) {
  open_standard_descriptors();
  const char* name = argc >= 3 ? argv[2] : "";
  FILE* file = strcmp(name, "-") == 0 ? stdin : fopen(name, "re");
  if (file == nullptr) return unreadable(name, errno);
  // A worker that died is found by its channel, not by a signal to the
  // batch; and it is waited for, whatever the caller did with SIGCHLD.
  signal(SIGPIPE, SIG_IGN);
  signal(SIGCHLD, SIG_DFL);
  Batch batch(name, fileno(file), slots_from(argc, argv), run, prepare_report);
  std::string line;
  long number = 0;
  int error = 0;
  for (int c; (c = getc(file)) != EOF || !line.empty();) {
    if (c == EOF && ferror(file) != 0) {
      error = errno;  // a line cut off by the error is not run
      break;
    }
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
  if (error == 0 && ferror(file) != 0) error = errno;
  if (file != stdin) fclose(file);
  int status = batch.finish_all();
  return error != 0 ? unreadable(name, error) : status;
}
