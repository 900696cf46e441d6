#include "layout/report_room.h"

#include <algorithm>
#include <cmath>

#include "layout/fit_range.h"
#include "layout/layout_size.h"
#include "layout/phase_panel.h"

namespace {

double text_height(const ReportMetrics& m, double size) {
  return (m.ascent + m.descent) * size;
}

double widest_label(const TickRule& rule, const AxisScale& axis, const ReportMetrics& m) {
  double widest = 0;
  for (const Tick& t : power_ticks(rule, axis)) widest = std::max(widest, m.label_width(t.label));
  return widest;
}

// The amplitude axis is labelled at its fitted lines, or at those of the
// range as given.
TickRule amplitude_rule(const PicturePlan& plan) {
  const AxisScale& y = plan.amplitude.y;
  return plan.fit_y ? plan.y_rule : given_range_rule(y.min, y.max, y.log);
}

double widest_of_panels(const PicturePlan& plan, const PlotOptions& o, const ReportMetrics& m) {
  double widest = widest_label(amplitude_rule(plan), plan.amplitude.y, m);
  if (o.phase && plan.phase_drawable) {
    widest = std::max(widest, widest_label(plan.phase_rule, plan.phase.y, m));
  }
  if (o.diff) widest = std::max(widest, widest_label(plan.deviation_rule, plan.deviation.y, m));
  if (o.diff && o.phase) {
    widest = std::max(widest, widest_label(plan.phase_deviation_rule, plan.phase_deviation.y, m));
  }
  return widest;
}

bool any_upright_name(const PlotOptions& o) {
  return o.dim_y[0] != '\0' || (o.phase && o.dim_p[0] != '\0') || (o.diff && o.dim_d[0] != '\0') ||
         (o.diff && o.phase && o.dim_dp[0] != '\0');
}

// The columns left of the plot: names, a pad, the widest label, its pad and
// the tick. At most half the picture, so that a plot remains: where the
// labels leave the names no room within it, the names are left out, which
// would run into the labels.
int left_room(PicturePlan& plan, const PlotOptions& o, const ReportMetrics& m) {
  double names = any_upright_name(o) ? text_height(m, report_name_size) + report_name_pad : 0;
  double labels =
      report_edge_pad + widest_of_panels(plan, o, m) + report_label_pad + report_tick_length;
  double half = plan.size_x / 2.0;
  plan.upright_names = std::ceil(labels + names) <= half;
  double room = labels + (plan.upright_names ? names : 0);
  return static_cast<int>(std::min(std::ceil(room), half));
}

// The rows below the plot: the tick, its pad, the labels and the name.
int bottom_room(const PlotOptions& o, const ReportMetrics& m) {
  double name = o.dim_x[0] != '\0' ? report_name_pad + text_height(m, report_name_size) : 0;
  double labels = m.label_rise + m.descent * report_label_size;
  return static_cast<int>(
      std::ceil(report_tick_length + report_label_pad + labels + name + report_edge_pad));
}

// The rows above: the caption, and half a label's height for the top label
// centred on the frame, taken whole for a raised exponent.
int top_room(const PlotOptions& o, const ReportMetrics& m) {
  double caption = o.caption[0] != '\0' ? text_height(m, report_caption_size) + report_name_pad : 0;
  return static_cast<int>(std::ceil(report_edge_pad + caption + text_height(m, report_label_size)));
}

// The axes by value: they are the area's own.
void remap(PlotArea& area, const PlotArea& placed, AxisScale x, AxisScale y) {
  area = placed;
  area.x = axis_scale(x.min, x.max, x.log, area.width);
  area.y = axis_scale(y.min, y.max, y.log, area.height);
}

}  // namespace

void plan_report_room(PicturePlan& plan, const PlotOptions& o, const ReportMetrics& m) {
  PlotArea whole =
      plot_area_between(left_room(plan, o, m), top_room(o, m), plan.size_x - report_right_margin,
                        plan.size_y - bottom_room(o, m));
  int gap = static_cast<int>(std::ceil(text_height(m, report_label_size) + report_label_spacing));
  PanelLayout panels = stack_panels_in(whole, gap, o.phase, o.diff);
  AxisScale x = plan.amplitude.x;
  remap(plan.amplitude, panels.amplitude, x, plan.amplitude.y);
  if (o.phase) remap(plan.phase, panels.phase, x, plan.phase.y);
  if (o.diff) {
    remap(plan.deviation, panels.deviation, x, plan.deviation.y);
    if (o.phase) remap(plan.phase_deviation, panels.phase_deviation, x, plan.phase_deviation.y);
  }
}

double report_caption_baseline(const ReportMetrics& m) {
  return report_edge_pad + m.ascent * report_caption_size;
}

double report_name_column(const ReportMetrics& m) {
  return report_edge_pad + m.ascent * report_name_size;
}

double report_x_name_baseline(const PicturePlan& plan, const ReportMetrics& m) {
  return plan.size_y - report_edge_pad - m.descent * report_name_size;
}
