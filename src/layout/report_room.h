#pragma once

#include <functional>

#include "core/plot_options.h"
#include "layout/layout_size.h"
#include "layout/plan_picture.h"
#include "layout/tick_labels.h"

// The report style's text and marks, in layout units (layout_size.h). At
// 800 x 600 a unit is 0.75 pt of the page: tick labels 9.75 pt, axis names
// 10.5 pt, a little over the share of the page a plotting library's
// defaults give them.
constexpr double report_name_size = 14;
constexpr double report_caption_size = 19;
constexpr double report_legend_size = 13;
// Tick marks point outward, so that they never hide a curve.
constexpr double report_tick_length = 5;
constexpr double report_minor_tick_length = 3;
constexpr double report_label_pad = 4;   // between a tick's end and its label
constexpr double report_name_pad = 6;    // between the labels and an axis name
constexpr double report_edge_pad = 4;    // between the picture's edge and its outermost text
constexpr int report_right_margin = 20;  // room for half the last frequency label
// The least room between two labels of stacked panels, beside a label's height.
constexpr double report_label_spacing = 4;

// What the layout needs to know of the font, measured by the renderer.
struct ReportMetrics {
  double ascent = 0;   // above the baseline, per unit of size
  double descent = 0;  // below it
  // Above the baseline: a tick label's top, raised exponent included.
  double label_rise = 0;
  // A label's width at report_label_size.
  std::function<double(const PowerLabel&)> label_width;
};

// Places the plot areas of a report picture: left of them room for the
// widest tick label of any panel as the font measures it, and for the
// upright axis names beyond; below, room for the frequency labels and
// name; above, for the caption. The axes keep their ranges, mapped onto
// the new spans. The fixed-cell plan is left as it is.
void plan_report_room(PicturePlan& plan, const PlotOptions& options, const ReportMetrics& metrics);

// Where the outer text goes: the caption's baseline, the column of the
// upright names' baseline (the text reads upwards, its glyphs left of it),
// and the frequency axis name's baseline.
double report_caption_baseline(const ReportMetrics& metrics);
double report_name_column(const ReportMetrics& metrics);
double report_x_name_baseline(const PicturePlan& plan, const ReportMetrics& metrics);
