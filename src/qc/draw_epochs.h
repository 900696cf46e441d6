#pragma once

#include <string>
#include <vector>

#include "compare/verdict.h"
#include "response/channel_response.h"

// A whole run of the tool on a command line whose IN= channel epoch is
// already read (run_epoch in the full binary): its status (0; 1 outside
// tolerance; below 0 a failure, its message in last_error) and its TOL=
// verdicts.
using EpochRun = int (*)(int argc, const char* const argv[], const ChannelResponse& epoch,
                         std::vector<Verdict>& verdicts);

// How one epoch's picture came out.
struct DrawnEpoch {
  bool answered = false;  // false: the process drawing it ended first
  int status = 0;
  bool judged = false;  // a TOL= verdict came back
  bool within = false, measured = false;
  double db = 0;        // the largest deviation, with `measured`
  std::string message;  // the verdict line, or the failure's message
};

// Runs `run` on each epoch's command line in up to `jobs` processes at
// once. Each process is forked from this one, so it has every epoch read
// already and reads no inventory again; its standard output and error go
// to /dev/null (the findings carry what they would say), and it answers
// through a pipe. An epoch whose process ended without answering is
// reported so, never dropped.
std::vector<DrawnEpoch> draw_epochs(const std::vector<ChannelResponse>& epochs,
                                    const std::vector<std::vector<std::string>>& commands, int jobs,
                                    EpochRun run);
