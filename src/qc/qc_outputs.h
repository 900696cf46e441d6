#pragma once

#include <string>
#include <vector>

#include "qc/qc_row.h"

// Writes a network check's files into the folder `outdir` (which exists):
// summary.csv, summary.json, junit.xml and index.html, each from `epochs`
// in any order (each file orders them itself, so that the same findings give
// the same bytes however they were gathered), each by a complete file
// renamed over the old. Returns 0, or -1 with the reason in last_error.
int write_qc_outputs(const std::string& outdir, const std::vector<QcEpoch>& epochs);
