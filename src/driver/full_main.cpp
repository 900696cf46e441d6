// afcdraw-full: the whole tool, report style and batches included, where
// the fast binary (main.cpp) hands those runs over. The run itself, stage
// by stage, is in driver/run.cpp; a batch runs it once for each of its lines.

#include <sys/prctl.h>

#include <cstdlib>

#include "batch/run_batch.h"
#include "driver/huge_page_heap.h"
#include "driver/run.h"
#include "qc/qc_merge.h"
#include "qc/run_qc.h"

int main(int argc, char* argv[]) {
  if (asks_for_qc_merge(argc, argv)) return run_qc_merge(argc, argv);
  bool batch = asks_for_batch(argc, argv), qc = asks_for_qc(argc, argv);
  // A single report picture keeps the kernel's small pages: a huge page
  // fresh from memory another program just gave back cost a run about
  // 10 ms more on a virtual machine, half the time after a gnuplot run,
  // where its 4 MB of small pages cost about 1 ms. A batch or a check
  // pays that at most once.
  void* gap = batch || qc ? start_heap_on_huge_pages() : nullptr;
  int status = batch ? run_batch(argc, argv, run_judged)
               : qc  ? run_qc(argc, argv, run_epoch)
                     : run(argc, argv);
  free(gap);
  return status;
}
