#pragma once

// The batch's own command line after the batch file: JOBS=n, how many jobs
// run at once, and SUMMARY=file.csv or file.json. Other words are warned
// of and ignored.

#include <string>

#include "batch/summary.h"

struct BatchArgs {
  int slots;  // default: the cores this process may use
  std::string summary;
  SummaryFormat summary_format = SummaryFormat::none;
};

// False when SUMMARY= names neither a .csv nor a .json file.
bool read_batch_args(int argc, const char* const argv[], BatchArgs& args);
