#include "layout/plan_picture.h"

#include "core/fail.h"
#include "core/messages.h"
#include "layout/amplitude_range.h"
#include "layout/fit_range.h"
#include "layout/phase_panel.h"

namespace {

// The phase axis over the phases inside the frequency range.
AxisScale phase_axis(const CurveList& curves, const AxisScale& x, const PlotArea& area,
                     TickRule& rule) {
  double lo = 0, hi = 0;
  bool any = false;
  for (const Curve& curve : curves) {
    for (const ResponsePoint& q : curve.phases) {
      if (!(x.min <= q.x && q.x <= x.max)) continue;
      if (!any || q.y < lo) lo = q.y;
      if (!any || q.y > hi) hi = q.y;
      any = true;
    }
  }
  rule = fit_phase_range(lo, hi, any);
  return axis_scale(lo, hi, false, area.height);
}

}  // namespace

int plan_picture(const CurveList& curves, const PlotOptions& o, PicturePlan& plan) {
  double x_min = o.x_min, x_max = o.x_max;
  if (o.fit) {
    if (!o.x_axis_given) data_frequency_range(curves, x_min, x_max);
    plan.x_rule = fit_frequency_range(x_min, x_max, o.log_x);
  }
  double y_min, y_max;
  find_common_amplitude_range(curves, x_min, x_max, y_min, y_max);
  bool signed_amplitudes = o.fit && !o.log_y;
  if (!signed_amplitudes && (y_max <= 0 || y_min <= 0)) {
    return fail(message::amplitude_not_positive, -1);
  }
  if (o.fit) plan.y_rule = fit_amplitude_range(y_min, y_max, o.log_y);
  PanelLayout panels{standard_plot_area(o.size_x, o.size_y), {}};
  if (o.phase) panels = split_panels(o.size_x, o.size_y);
  plan.amplitude = panels.amplitude;
  if (set_axes(plan.amplitude, x_min, x_max, o.log_x, y_min, y_max, o.log_y) < 0) {
    last_error = message::mapping_refused + last_error;
    return -2;
  }
  if (o.phase) {
    plan.phase = panels.phase;
    plan.phase.x = plan.amplitude.x;
    plan.phase.y = phase_axis(curves, plan.amplitude.x, plan.phase, plan.phase_rule);
  }
  return 0;
}
