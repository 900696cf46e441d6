#pragma once

// A whole run of the tool on one argument list, as main makes it; the batch
// runs each job through it.
using RunFunction = int (*)(int argc, const char* const argv[]);

// Makes ready what report pictures need (the report module), drawing
// nothing; a worker calls it once, before the first report job it forks.
using PrepareFunction = bool (*)();

// Whether the command line asks for a batch: "--batch" (any ASCII letter
// case) as its first argument.
bool asks_for_batch(int argc, const char* const argv[]);

// `--batch FILE [JOBS=n]`: each line of FILE ("-": standard input) that is
// neither empty nor begins with "#" is one job's arguments, split as a
// shell splits them (split_words). Each job is `run` in a process of its
// own, exactly as on a command line but with the help text never printed;
// up to n at once (default: the cores this process may use), reported in
// line order. For each failing job one line on standard output:
// "FILE:LINE: <status>: <message>"; a summary and, on a terminal, progress
// on standard error. Returns 0 when every job drew its picture, 1 when any
// failed, 255 when the batch file cannot be read.
int run_batch(int argc, const char* const argv[], RunFunction run, PrepareFunction prepare_report);
