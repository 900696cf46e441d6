#pragma once

#include "core/curve.h"
#include "core/plot_options.h"
#include "draw/picture.h"
#include "encode/encode_picture.h"
#include "layout/plan_picture.h"
#include "report/report_units.h"

// Loads the report style's module ahead of any picture; false, with the
// cause on standard error, when it cannot be loaded.
bool load_report_module();

// Draws the planned picture (planned in layout units, use_report_units) in
// the report style: anti-aliased lines, text in the bundled proportional
// font, all grown by canvas.scale. A GIF comes back as a palette image to
// encode, the other formats as the file's bytes in `encoded`. Returns 0, or -1 with the reason in
// last_error (the cause also on standard error).
int draw_report(const PicturePlan& plan, const CurveList& curves, const Legend& legend,
                const PlotOptions& options, const ReportCanvas& canvas, Picture& picture,
                EncodedPicture& encoded);
