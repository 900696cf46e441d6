#pragma once

#include <string>
#include <vector>

#include "core/curve.h"
#include "core/plot_options.h"

// The options that only the kind of a file can make useful, given where no
// file read is of that kind: CHANNEL=, STAGES=, TIME=, DELAY=estimated and
// GAIN=stated without station metadata, POINTS= without a computed
// response. One warning each; `metadata` tells which input was metadata.
std::vector<std::string> unused_file_options(const PlotOptions& o, const CurveList& curves,
                                             const bool (&metadata)[max_inputs]);
