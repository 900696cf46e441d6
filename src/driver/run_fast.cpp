#include "driver/run.h"

int run_fast(int argc, const char* const argv[]) {
  return run_with(argc, argv, nullptr);
}
