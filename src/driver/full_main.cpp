// afcdraw-full: the whole tool, report style and batches included, where
// the fast binary (main.cpp) hands those runs over. The run itself, stage
// by stage, is in driver/run.cpp; a batch runs it once for each of its lines.

#include <cstdlib>

#include "batch/run_batch.h"
#include "driver/huge_page_heap.h"
#include "driver/run.h"
#include "qc/qc_merge.h"
#include "qc/run_qc.h"

int main(int argc, char* argv[]) {
  if (asks_for_qc_merge(argc, argv)) return run_qc_merge(argc, argv);
  void* gap = start_heap_on_huge_pages();
  int status = asks_for_batch(argc, argv) ? run_batch(argc, argv, run_judged)
               : asks_for_qc(argc, argv)  ? run_qc(argc, argv, run_epoch)
                                          : run(argc, argv);
  free(gap);
  return status;
}
