#include "driver/run.h"

int run_fast(int argc, const char* const argv[]) {
  return run_with(argc, argv, nullptr);
}

int run_fast_judged(int argc, const char* const argv[], std::vector<Verdict>& verdicts) {
  return run_with(argc, argv, nullptr, &verdicts);
}
