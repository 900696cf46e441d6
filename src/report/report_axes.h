#pragma once

#include <cairo.h>

#include "layout/layout_size.h"
#include "layout/nice_steps.h"
#include "layout/plot_area.h"
#include "layout/report_room.h"
#include "report/report_text.h"

// The sizes of the report's axis text, in layout units.
constexpr double label_size = report_label_size;

// The rule of an axis drawn without a fitted one: its range as given.
TickRule range_rule(const AxisScale& axis);

// One panel's grid, on the page's white (the sub_grid subdivisions faint, the
// labelled lines of the rules stronger, decades strongest), its frame and
// the frame's outward ticks, left and below, major and minor.
void draw_report_grid(cairo_t* cr, const PlotArea& area, const TickRule& x_rule,
                      const TickRule& y_rule, int sub_grid_x, int sub_grid_y);

// The labels of a panel's lines, beyond the ticks: left of it (Y) and,
// with `x_labels`, below it (X), on log10 axes as powers of ten; a label
// that would crowd one of a lower rank is left out, one that would run
// past an edge of the picture, `picture_width` wide, is moved inside it.
void draw_report_labels(cairo_t* cr, const ReportFonts& fonts, const PlotArea& area,
                        const TickRule& x_rule, const TickRule& y_rule, bool x_labels,
                        double picture_width);
