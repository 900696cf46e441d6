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
  // A single report picture keeps the kernel's small pages, for its heap
  // and its big point lists alike: on a virtual machine a huge page fresh
  // from memory another program had just given back cost a run of 10^3
  // points about 10 ms more, half the time, after a gnuplot run (its 4 MB
  // in small pages cost about 1 ms), and a run of 10^6 points some 50 ms.
  // A batch or a check pays that at most once.
  if (!batch && !qc) prctl(PR_SET_THP_DISABLE, 1, 0, 0, 0);
  void* gap = batch || qc ? start_heap_on_huge_pages() : nullptr;
  int status = batch ? run_batch(argc, argv, run_judged)
               : qc  ? run_qc(argc, argv, run_epoch)
                     : run(argc, argv);
  free(gap);
  return status;
}
