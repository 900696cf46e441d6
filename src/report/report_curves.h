#pragma once

#include <cairo.h>

#include "core/curve.h"
#include "layout/plot_area.h"
#include "report/trace_curve.h"

// Strokes a traced curve inside the area, anti-aliased, in `color`; a lone
// point is drawn as a small slanted cross. A curve thinning could not
// reduce (frequencies out of order) is drawn without anti-aliasing on a
// raster of `pixels` per layout unit, in bounded time and file size.
// `vector`: the surface is a vector file's. `width`: layout units.
void stroke_curve(cairo_t* cr, const PlotArea& area, const TracedCurve& curve, const Rgb& color,
                  double pixels, bool vector, double width);

// Layout units, unless LW= is given: 1.5 pt at 800 x 600, as a plotting
// library's defaults draw.
constexpr double report_curve_width = 2;
