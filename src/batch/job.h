#pragma once

// One line of the batch, from its words to its answer.

#include <string>

#include "batch/channel.h"
#include "batch/job_output.h"
#include "core/descriptor.h"

struct Job {
  long line;
  bool done = false;
  JobAnswer answer;      // the status, the message and the verdicts
  std::string out_path;  // OUT= as the job gives it, for the summary
  std::string request;   // its words as sent, kept until it is answered
  Output output;         // a later job writing there waits for it
  Descriptor held;       // the file there before the job, until it is answered
};
