// afcdraw: draws amplitude-frequency responses as a GIF, PNG, SVG or PDF picture.
// This is the fast binary, linked statically: a report picture or a batch
// goes on in the full binary (full_main.cpp, hand_over). The run itself,
// stage by stage, is in driver/run.cpp.

#include <cstdio>
#include <cstdlib>

#include "batch/run_batch.h"
#include "core/messages.h"
#include "driver/hand_over.h"
#include "driver/huge_page_heap.h"
#include "driver/run.h"
#include "qc/qc_merge.h"
#include "qc/run_qc.h"

namespace {

// A network check draws report pictures, which only the full binary can.
int qc_unavailable() {
  printf("%s\n", message::report_unavailable);
  return 252;
}

// A merge of its shards is the full binary's too, so that this one links
// none of the check's code.
int qc_merge_unavailable() {
  printf("%s\n", message::qc_files_not_written);
  return 252;
}

}  // namespace

int main(int argc, char* argv[]) {
  bool batch = asks_for_batch(argc, argv);
  bool qc = asks_for_qc(argc, argv);
  bool qc_merge = asks_for_qc_merge(argc, argv);
  if (batch || qc || qc_merge) hand_over(argv);  // a batch may hold report pictures
  if (qc) return qc_unavailable();
  if (qc_merge) return qc_merge_unavailable();
  if (asks_for_report(argc, argv)) try_hand_over(argv);
  void* gap = start_heap_on_huge_pages();
  int status = batch ? run_batch(argc, argv, run_fast_judged) : run_fast(argc, argv);
  free(gap);
  return status;
}
