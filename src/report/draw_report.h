#pragma once

#include "core/curve.h"
#include "core/plot_options.h"
#include "encode/encode_picture.h"
#include "layout/plan_picture.h"

// Draws the planned picture (in layout units, grown by plan.scale to the
// size the options ask for) in the report style: anti-aliased lines, text
// in the bundled proportional font. Returns 0 with the file's bytes, in the
// options' format, in `encoded`, or -1 with the reason in last_error (the
// cause also on standard error).
int draw_report(const PicturePlan& plan, const CurveList& curves, const Legend& legend,
                const PlotOptions& options, EncodedPicture& encoded);
