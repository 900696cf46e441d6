// afcdraw: draws amplitude-frequency responses as a GIF, PNG, SVG or PDF picture.
// This is the fast binary, linked statically: a report picture or a batch
// goes on in the full binary (full_main.cpp, hand_over). The run itself,
// stage by stage, is in driver/run.cpp.

#include <cstdlib>

#include "batch/run_batch.h"
#include "driver/hand_over.h"
#include "driver/huge_page_heap.h"
#include "driver/run.h"

int main(int argc, char* argv[]) {
  bool batch = asks_for_batch(argc, argv);
  if (batch) hand_over(argv);  // a batch may hold report pictures
  void* gap = start_heap_on_huge_pages();
  int status = batch ? run_batch(argc, argv, run_fast_judged) : run_fast(argc, argv);
  free(gap);
  return status;
}
