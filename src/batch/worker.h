#pragma once

// A worker: a process that runs jobs one after another. Starting a process
// for each job costs more than most pictures (its every page is faulted in
// anew), while a worker keeps its pages and its heap from job to job. The
// batch writes it a job's words on its channel; it answers each job in
// turn with the status, the message and the verdicts (channel.h).

#include <sys/types.h>

#include "batch/run_batch.h"

// Serves jobs on `channel` until the batch closes its end or `parent`
// ends. A job reaches no descriptor of the batch's: its standard input and
// output are /dev/null and `batch_input` (the batch file) is closed.
[[noreturn]] void serve(int channel, int batch_input, pid_t parent, RunFunction run);
