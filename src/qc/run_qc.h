#pragma once

#include "batch/run_batch.h"
#include "core/ascii_case.h"
#include "qc/draw_epochs.h"

// Whether the command line asks for a network check: "--qc" (any ASCII
// letter case) as its first argument. Inline, so that the fast binary,
// which only hands the check over, links none of it.
inline bool asks_for_qc(int argc, const char* const argv[]) {
  return argc >= 2 && equal_folded(argv[1], "--qc", sizeof "--qc");
}

// `--qc INVENTORY... OUTDIR=dir [CHANNEL=] [TIME=] [NOMINAL=] [TOL=]
// [JOBS=n] [FORMAT=PNG|SVG] [SHARD=i/n] [-strict]`: every channel epoch of
// the inventories that CHANNEL= and TIME= keep, and of those the shard's,
// checked (check_epoch; against NOMINAL= with TOL=) and drawn, a picture
// each in OUTDIR (by `run`, up to n at once), then the check's files
// written there (write_qc_outputs). Returns 0 when no check failed, 1 when
// one did or an epoch could not be drawn (with -strict also when one could
// not be checked), 255 for a command line it cannot use, 254 for a file it
// cannot read, 253 for one that is no usable station metadata or NOMINAL=
// table, 252 when the files cannot be written.
int run_qc(int argc, const char* const argv[], EpochRun run);
