#pragma once

#include <vector>

#include "core/curve.h"
#include "core/plot_options.h"

// FORMAT=FAP: each curve as drawn (after units, normalisation and
// decibels) as text a point file reads back: a "#" line naming its input
// (key and file, and what the curve says of itself: channel, epoch,
// units), then one line per point, "frequency amplitude phase" (the phase
// only where the curve has one at that frequency), in 10 significant
// digits. Appends to `text`.
void encode_fap(const CurveList& curves, const PlotOptions& options,
                std::vector<unsigned char>& text);
