#pragma once

#include <vector>

#include "compare/verdict.h"

// A whole run of the tool on one argument list, as main makes it, with the
// TOL= verdicts whose lines it printed; the batch runs each job through it.
using RunFunction = int (*)(int argc, const char* const argv[], std::vector<Verdict>& verdicts);

// Whether the command line asks for a batch: "--batch" (any ASCII letter
// case) as its first argument.
bool asks_for_batch(int argc, const char* const argv[]);

// `--batch FILE [JOBS=n] [SUMMARY=file.csv|file.json]`: each line of FILE ("-": standard input)
// that is neither empty nor begins with "#" is one job's arguments, split as a shell splits them
// (split_words). Each job is `run` in a process of its own, exactly as on a command line but with
// the help text never printed; up to n at once (default: the cores this process may use), reported
// in line order. On standard output, for each job with TOL= each verdict line it printed,
// "FILE:LINE: IN2: ...: within tolerance", and for each failing job one line "FILE:LINE: <status>:
// <message>"; a count and, on a terminal, progress on standard error. SUMMARY= writes a row per job
// (write_summary). Returns 0 when every job drew its picture, 1 when any
// failed, 255 when the batch file cannot be read or SUMMARY= names no
// .csv or .json file, 252 when the summary cannot be written.
int run_batch(int argc, const char* const argv[], RunFunction run);
