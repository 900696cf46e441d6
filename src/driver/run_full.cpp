#include "driver/run.h"

int run(int argc, const char* const argv[]) {
  return run_with(argc, argv, draw_report);
}

int run_judged(int argc, const char* const argv[], std::vector<Verdict>& verdicts) {
  return run_with(argc, argv, draw_report, &verdicts);
}

int run_epoch(int argc, const char* const argv[], const ChannelResponse& epoch,
              std::vector<Verdict>& verdicts) {
  return run_with(argc, argv, draw_report, &verdicts, &epoch);
}
