// afcdraw: draws amplitude-frequency responses as a GIF or PNG picture.
// The run itself, stage by stage, is in driver/run.cpp; a batch runs it
// once for each of its lines.

#include "batch/run_batch.h"
#include "driver/run.h"

int main(int argc, char* argv[]) {
  if (asks_for_batch(argc, argv)) return run_batch(argc, argv, run);
  return run(argc, argv);
}
