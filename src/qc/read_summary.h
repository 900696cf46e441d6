#pragma once

#include <string_view>
#include <vector>

#include "qc/qc_row.h"

// Reads back the summary.json that write_qc_outputs writes (summary_json),
// every field as it was: any JSON spacing, but only that file's keys in that
// file's order, strings of valid UTF-8 and the three result words. Appends
// its epochs to `epochs`; returns 0, or -1 with what it met in last_error.
int read_summary(std::string_view text, std::vector<QcEpoch>& epochs);
