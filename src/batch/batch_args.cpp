#include "batch/batch_args.h"

#include <sched.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "core/ascii_case.h"
#include "core/scan_number.h"

namespace {

constexpr int most_slots = 256;
constexpr int first_batch_arg = 3;  // after the program, --batch and the file
constexpr char jobs_key[] = "JOBS=";
constexpr char summary_key[] = "SUMMARY=";

int cores() {
  cpu_set_t set;
  if (sched_getaffinity(0, sizeof set, &set) != 0) return 1;
  return std::clamp(CPU_COUNT(&set), 1, most_slots);
}

bool has_key(const char* arg, const char* key, size_t size) {
  return equal_folded(arg, key, size - 1);  // without the key's NUL
}

}  // namespace

bool read_batch_args(int argc, const char* const argv[], BatchArgs& args) {
  args.slots = cores();
  for (int i = first_batch_arg; i < argc; ++i) {
    if (has_key(argv[i], summary_key, sizeof summary_key)) {
      args.summary = argv[i] + sizeof summary_key - 1;
      args.summary_format = summary_format(args.summary);
      if (args.summary_format == SummaryFormat::none) return false;
      continue;
    }
    if (!has_key(argv[i], jobs_key, sizeof jobs_key)) {
      fprintf(stderr, "afcdraw: warning: unknown argument \"%s\" ignored\n", argv[i]);
      continue;
    }
    int32_t n = decimal_value(argv[i] + sizeof jobs_key - 1);
    if (n > 0 && n <= most_slots) {
      args.slots = n;
    } else {
      fprintf(stderr, "afcdraw: warning: %s: not 1 ... %d, %d jobs at once\n", argv[i], most_slots,
              args.slots);
    }
  }
  return true;
}
