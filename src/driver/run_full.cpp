#include "driver/run.h"

int run(int argc, const char* const argv[]) {
  return run_with(argc, argv, draw_report);
}
