#include "batch/job_report.h"

#include <unistd.h>

#include <cstdio>
#include <utility>

#include "core/messages.h"

namespace {
constexpr int batch_failed = 1;
}  // namespace

JobReport::JobReport(const char* name, bool keep_rows)
    : name_(name), keep_rows_(keep_rows), progress_(isatty(STDERR_FILENO) != 0) {}

void JobReport::report(Job& job) {
  ++pictures_;
  const JobAnswer& a = job.answer;
  for (const JobVerdict& v : a.verdicts) {
    printf(message::batch_verdict_line, name_, job.line, v.line.c_str());
  }
  if (a.status != 0) {
    ++failed_;
    printf(message::batch_job_line, name_, job.line, a.status, a.message.c_str());
  }
  if (progress_) fprintf(stderr, "\r%ld pictures, %ld failed", pictures_, failed_);
  if (keep_rows_) {
    rows_.push_back({job.line, a.status, std::move(job.answer.verdicts), std::move(job.out_path)});
  }
}

int JobReport::finish() {
  if (progress_) fputc('\n', stderr);
  fprintf(stderr, "%ld pictures, %ld failed\n", pictures_, failed_);
  return failed_ > 0 ? batch_failed : 0;
}
