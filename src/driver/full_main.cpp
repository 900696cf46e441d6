// afcdraw-full: the whole tool, report style and batches included, where
// the fast binary (main.cpp) hands those runs over. The run itself, stage
// by stage, is in driver/run.cpp; a batch runs it once for each of its lines.

#include <cstdlib>

#include "batch/run_batch.h"
#include "driver/huge_page_heap.h"
#include "driver/run.h"

int main(int argc, char* argv[]) {
  void* gap = start_heap_on_huge_pages();
  int status = asks_for_batch(argc, argv) ? run_batch(argc, argv, run_judged) : run(argc, argv);
  free(gap);
  return status;
}
