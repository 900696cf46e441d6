#include "qc/qc_args.h"

#include <sched.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "cmdline/parse_cmd.h"
#include "core/ascii_case.h"
#include "core/last_error.h"
#include "core/messages.h"
#include "core/plot_options.h"
#include "core/scan_number.h"

namespace {

constexpr int first_qc_arg = 2;  // after the program and --qc
constexpr int most_jobs = 256;   // as a batch's JOBS=
// With NOMINAL= and no TOL=: a deviation of 1 dB (12 %) is beyond any
// calibration tolerance an operator accepts, well above evaluation noise.
constexpr double default_tolerance_db = 1;

int cores() {
  cpu_set_t set;
  if (sched_getaffinity(0, sizeof set, &set) != 0) return 1;
  return std::clamp(CPU_COUNT(&set), 1, most_jobs);
}

int refuse(const std::string& key, std::string& why, const std::string& cause) {
  last_error = std::string(message::incorrect_prefix) + key + message::incorrect_suffix;
  why = key + ": " + cause;
  return -1;
}

// TOL= read as a picture's command line reads it, so that it means the same.
bool tolerance_usable(const std::string& tol) {
  std::string key = "TOL=" + tol;
  const char* argv[] = {"afcdraw", "IN=a", "IN2=b", "OUT=c", key.c_str()};
  PlotOptions o{};
  Warnings warnings;
  return parse_cmd(static_cast<int>(std::size(argv)), argv, o, warnings, nullptr) >= 0;
}

// "i/n" with 1 <= i <= n.
bool read_shard(const char* text, QcArgs& args) {
  const char* slash = strchr(text, '/');
  if (slash == nullptr) return false;
  std::string first(text, slash);
  int32_t i = decimal_value(first.c_str()), n = decimal_value(slash + 1);
  if (!(i >= 1 && n >= i)) return false;
  args.shard = i;
  args.shards = n;
  return true;
}

// The value after `key` when `arg` begins with it (any letter case).
const char* value_of(const char* arg, const char* key) {
  size_t n = strlen(key);
  return equal_folded(arg, key, n) ? arg + n : nullptr;
}

int read_key(const char* arg, QcArgs& args, std::string& why) {
  if (const char* v = value_of(arg, "OUTDIR=")) {
    args.outdir = v;
  } else if (const char* v = value_of(arg, "CHANNEL=")) {
    args.channel = v;
    if (!parse_channel_pattern(v, args.filter))
      return refuse("CHANNEL=", why, "not NET.STA.LOC.CHA");
  } else if (const char* v = value_of(arg, "TIME=")) {
    args.time = v;
    args.filter.time = normal_time(v);
    if (args.filter.time.empty()) return refuse("TIME=", why, "no date or time");
  } else if (const char* v = value_of(arg, "NOMINAL=")) {
    args.nominal = v;
  } else if (const char* v = value_of(arg, "TOL=")) {
    args.tol = v;
    if (!tolerance_usable(args.tol)) return refuse("TOL=", why, "not dB[,degrees] above 0");
  } else if (const char* v = value_of(arg, "JOBS=")) {
    args.jobs = decimal_value(v);
    if (args.jobs < 1 || args.jobs > most_jobs) return refuse("JOBS=", why, "not 1 ... 256");
  } else if (const char* v = value_of(arg, "FORMAT=")) {
    args.format = v;
    if (!equal_folded(v, "PNG", sizeof "PNG") && !equal_folded(v, "SVG", sizeof "SVG"))
      return refuse("FORMAT=", why, "neither PNG nor SVG");
  } else if (const char* v = value_of(arg, "SHARD=")) {
    if (!read_shard(v, args)) return refuse("SHARD=", why, "not i/n with 1 <= i <= n");
  } else {
    last_error = message::qc_unknown_argument;
    why = std::string("--qc does not know \"") + arg + "\"";
    return -1;
  }
  return 0;
}

// A word with an "=" after a key's letters, or a switch, is an option;
// anything else names an inventory (./X=1.xml for a file so named).
bool is_option(const char* arg) {
  if (arg[0] == '-' && arg[1] != '\0') return true;
  const char* p = arg;
  while ((*p >= 'A' && *p <= 'Z') || (*p >= 'a' && *p <= 'z') || *p == '_') ++p;
  return p != arg && *p == '=';
}

}  // namespace

int read_qc_args(int argc, const char* const argv[], QcArgs& args, std::string& why) {
  args.jobs = cores();
  for (int i = first_qc_arg; i < argc; ++i) {
    const char* arg = argv[i];
    if (!is_option(arg)) {
      args.inventories.push_back(arg);
    } else if (equal_folded(arg, "-strict", sizeof "-strict")) {
      args.strict = true;
    } else if (read_key(arg, args, why) < 0) {
      return -1;
    }
  }
  if (args.inventories.empty()) {
    last_error = message::no_input_file;
    why = "--qc needs one inventory (StationXML or RESP) at least";
    return -1;
  }
  if (args.outdir.empty()) {
    last_error = message::no_output_file;
    why = "--qc needs OUTDIR=, the folder its files go to";
    return -1;
  }
  if (!args.nominal.empty() && args.tol.empty()) {
    char tol[32];
    snprintf(tol, sizeof tol, "%g", default_tolerance_db);
    args.tol = tol;
  }
  return 0;
}
