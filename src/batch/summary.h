#pragma once

// SUMMARY=: a row per job, in line order, for scripts and spreadsheets:
// its line, its status, for each verdict line it printed (TOL=) the key,
// the largest deviation in dB (signed) and its frequency, the largest in
// degrees and its frequency where the phase was measured, the verdict
// word (within, outside, not judged) and the count of points not judged,
// and its OUT= path.
// - CSV: a header row, then the rows, fields quoted as RFC 4180 quotes
//   them, lines ended by LF. Each verdict takes seven columns numbered
//   from 1 (key1, db1, db_hz1, deg1, deg_hz1, verdict1, not_judged1), as
//   many as the job with the most verdicts needs; cells with nothing
//   measured are empty.
// - JSON: an array of objects {"line", "status", "verdicts": [{"key",
//   "db", "db_hz", "deg", "deg_hz", "verdict", "not_judged"}], "output"},
//   null where nothing was measured; text is UTF-8, a byte that is no
//   UTF-8 written as U+FFFD.
// Numbers with six significant digits; the same jobs give the same bytes.

#include <string>
#include <vector>

#include "batch/job_verdict.h"

enum class SummaryFormat { none, csv, json };

struct SummaryRow {
  long line;
  int status;
  std::vector<JobVerdict> verdicts;
  std::string output;
};

// The format the path's ending names (".csv" or ".json", in any ASCII
// letter case); none for any other.
SummaryFormat summary_format(const std::string& path);

std::string summary_text(const std::vector<SummaryRow>& rows, SummaryFormat format);

// Writes the summary to `path` as pictures are written (write_output): a
// failure leaves the file there as it was. Returns 0, or -1 with the
// reason in last_error.
int write_summary(const std::string& path, SummaryFormat format,
                  const std::vector<SummaryRow>& rows);
