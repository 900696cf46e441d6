#include "batch/run_batch.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "batch/batch_args.h"
#include "batch/job_report.h"
#include "batch/summary.h"
#include "batch/worker_pool.h"
#include "core/ascii_case.h"
#include "core/diagnostic.h"
#include "core/last_error.h"
#include "core/messages.h"

namespace {

constexpr int batch_unreadable = 255;
constexpr int batch_command_line_failed = 255;  // as a job's command line failing
constexpr int summary_not_written = 252;        // as a picture not written

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

// Standard descriptors the caller closed are opened on /dev/null, so that
// none of the batch's own descriptors takes their numbers, where a job
// would write its diagnostics or a worker its jobs' output.
void open_standard_descriptors() {
  for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
    if (fcntl(fd, F_GETFD) < 0) open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY);
  }
}

// Each job line of `file` to the pool; 0, or the error that cut the
// reading short (a line cut off by it is not run).
int read_jobs(FILE* file, WorkerPool& pool) {
  std::string line;
  long number = 0;
  for (int c; (c = getc(file)) != EOF || !line.empty();) {
    if (c == EOF && ferror(file) != 0) return errno;
    if (c != '\n' && c != EOF) {
      line += static_cast<char>(c);
      continue;
    }
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();  // CR LF line ends
    if (is_job(line)) pool.add(number, line);
    line.clear();
    if (c == EOF) break;
  }
  return ferror(file) != 0 ? errno : 0;
}

// The cause, where the system gave one, on standard error.
int summary_failed(const std::string& path, int error) {
  printf("%s\n", message::summary_not_written);
  diagnose("SUMMARY=" + path + ": " + (error != 0 ? strerror(error) : last_error.c_str()));
  return summary_not_written;
}

}  // namespace

bool asks_for_batch(int argc, const char* const argv[]) {
  return argc >= 2 && equal_folded(argv[1], "--batch", sizeof "--batch");
}

int run_batch(int argc, const char* const argv[], RunFunction run) {
  open_standard_descriptors();
  BatchArgs args;
  if (!read_batch_args(argc, argv, args)) {
    printf("%s\n", message::summary_unknown);
    diagnose("SUMMARY=" + args.summary + ": the ending chooses the format, .csv or .json");
    return batch_command_line_failed;
  }
  const char* name = argc >= 3 ? argv[2] : "";
  FILE* file = strcmp(name, "-") == 0 ? stdin : fopen(name, "re");
  if (file == nullptr) return unreadable(name, errno);
  // A worker that died is found by its channel, not by a signal to the
  // batch; and it is waited for, whatever the caller did with SIGCHLD.
  signal(SIGPIPE, SIG_IGN);
  signal(SIGCHLD, SIG_DFL);
  bool summary = args.summary_format != SummaryFormat::none;
  JobReport report(name, summary);
  WorkerPool pool(fileno(file), args.slots, run, report);
  int error = read_jobs(file, pool);
  if (file != stdin) fclose(file);
  pool.finish_all();
  int status = report.finish();
  errno = 0;
  if (summary && write_summary(args.summary, args.summary_format, report.rows()) < 0) {
    status = summary_failed(args.summary, errno);
  }
  return error != 0 ? unreadable(name, error) : status;
}
