#pragma once

#include <string>
#include <vector>

#include "metadata/channel_filter.h"

// The network check's own command line, after "--qc": inventory files,
// OUTDIR=, CHANNEL=, TIME=, NOMINAL=, TOL=, JOBS=, FORMAT=, SHARD= and -strict.
struct QcArgs {
  std::vector<std::string> inventories;
  std::string outdir;
  ChannelFilter filter;
  std::string channel, time;  // as given, for each picture's command line
  std::string nominal;        // NOMINAL=: a response file or a table of them; "" none
  std::string tol;            // TOL= as given, or the default with NOMINAL=
  int jobs = 1;               // default: the cores this process may use
  std::string format = "PNG";
  int shard = 1, shards = 1;  // SHARD=i/n
  bool strict = false;
};

// Reads argv[2...] into `args`. Returns 0, or -1 with the message line in
// last_error and the cause in `why`.
int read_qc_args(int argc, const char* const argv[], QcArgs& args, std::string& why);
