#pragma once

#include <cairo.h>

#include "core/curve.h"
#include "layout/plot_area.h"
#include "report/trace_curve.h"

// Strokes a traced curve inside the area, anti-aliased, in `color`; a lone
// point is drawn as a small slanted cross.
void stroke_curve(cairo_t* cr, const PlotArea& area, const TracedCurve& curve, const Rgb& color);
