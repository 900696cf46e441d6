#pragma once

#include <cairo.h>

#include <vector>

#include "core/curve.h"
#include "core/plot_options.h"
#include "layout/plot_area.h"
#include "report/report_text.h"
#include "report/trace_curve.h"

// The legend in a corner of the area, drawn over everything else: per
// entry a short line in its curve's colour and the name. The automatic
// corner is automatic_corner's, weighing the amplitude curves as traced
// and stroked `line_width` wide.
void draw_report_legend(cairo_t* cr, const ReportFonts& fonts, const PlotArea& area,
                        const Legend& legend, const CurveList& curves,
                        const std::vector<TracedCurve>& traced, double line_width,
                        LegendCorner corner);
