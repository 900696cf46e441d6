#pragma once

#include <vector>

#include "compare/verdict.h"
#include "report/draw_report.h"
#include "response/channel_response.h"

// Who draws a report picture: draw_report in the full binary; nobody in the
// fast one, which hands such a run to the full binary (hand_over).
using ReportDrawer = decltype(&draw_report);

// The whole run of the tool on an argument list (argv[0] is the program's
// name): what it prints on standard output and the exit status it returns,
// report pictures drawn by `draw_report`, or handed over when it is null.
// The TOL= verdicts whose lines it printed go to `verdicts` as well, where
// given (a batch reports them). `given`, where not null, is IN='s channel
// epoch already read from its file (read_responses).
int run_with(int argc, const char* const argv[], ReportDrawer draw_report,
             std::vector<Verdict>* verdicts = nullptr, const ChannelResponse* given = nullptr);

// The full binary's run (which the tests and the pipeline fuzzer drive too),
// and the fast binary's. Each in a file of its own, so that the fast binary
// links no cairo.
int run(int argc, const char* const argv[]);
int run_fast(int argc, const char* const argv[]);
// The same runs, for a batch job: with the verdicts printed.
int run_judged(int argc, const char* const argv[], std::vector<Verdict>& verdicts);
int run_fast_judged(int argc, const char* const argv[], std::vector<Verdict>& verdicts);
// The full binary's run with IN='s channel epoch already read, for a network check.
int run_epoch(int argc, const char* const argv[], const ChannelResponse& epoch,
              std::vector<Verdict>& verdicts);
