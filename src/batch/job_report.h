#pragma once

// What the batch tells of its jobs, each once it is answered and all those
// before it are: on standard output the verdict lines of a job with TOL=,
// "FILE:LINE: IN2: ...: within tolerance", and a failing job's line,
// "FILE:LINE: <status>: <message>"; on standard error the count, and on a
// terminal a progress line; and a row for the summary where one is wanted.

#include <vector>

#include "batch/job.h"
#include "batch/summary.h"

class JobReport {
 public:
  JobReport(const char* name, bool keep_rows);
  void report(Job& job);
  // Prints the count; returns 1 when any job failed, else 0.
  int finish();
  const std::vector<SummaryRow>& rows() const { return rows_; }

 private:
  const char* name_;
  bool keep_rows_;
  long pictures_ = 0, failed_ = 0;
  bool progress_;
  std::vector<SummaryRow> rows_;
};
