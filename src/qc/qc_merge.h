#pragma once

#include "core/ascii_case.h"

// Whether the command line asks for a merge of a network check's shards:
// "--qc-merge" (any ASCII letter case) as its first argument. Inline, so
// that the fast binary, which only hands the merge over, links none of it.
inline bool asks_for_qc_merge(int argc, const char* const argv[]) {
  return argc >= 2 && equal_folded(argv[1], "--qc-merge", sizeof "--qc-merge");
}

// `--qc-merge DIR... OUTDIR=dir [-strict]`: reads each shard folder's
// summary.json, places each shard's pictures in OUTDIR under the same
// names (place_picture) and writes the four files there from the findings
// joined, the bytes one whole run writes. A channel epoch or a picture name
// in two shards is refused. Returns 0 when every check passed, 1 when any
// failed (with -strict also when any was not made), 255 for a command line
// it cannot use, 254 when a shard folder cannot be read or shards overlap,
// 252 when OUTDIR cannot be written.
int run_qc_merge(int argc, const char* const argv[]);
