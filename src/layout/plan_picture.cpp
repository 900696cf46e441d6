#include "layout/plan_picture.h"

#include <cstdio>
#include <string>

#include "core/diagnostic.h"
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

std::string range_text(double lo, double hi) {
  char text[64];
  snprintf(text, sizeof text, "%g;%g", lo, hi);
  return text;
}

// Which response made the amplitude range unusable, for the user.
void diagnose_amplitudes(const CurveList& curves, const PlotOptions& o, double x_min,
                         double x_max) {
  bool any_inside = false;
  for (const Curve& c : curves) {
    double lo, hi;
    if (!find_amplitude_range(c.points, x_min, x_max, lo, hi)) continue;
    any_inside = true;
    if (lo > 0) continue;
    diagnose(std::string(input_keys[c.input].in_key) + input_path(o, c.input) +
             ": an amplitude <= 0 in the frequency range " + range_text(x_min, x_max) +
             " cannot be drawn on a log10 axis (-linY -fit draws it)");
  }
  if (!any_inside) {
    diagnose("no point lies in the frequency range " + range_text(x_min, x_max) +
             " (X_AXIS= or -fit choose it)");
  }
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
    diagnose_amplitudes(curves, o, x_min, x_max);
    return fail(message::amplitude_not_positive, -1);
  }
  if (o.fit) plan.y_rule = fit_amplitude_range(y_min, y_max, o.log_y);
  PanelLayout panels{standard_plot_area(o.size_x, o.size_y), {}};
  if (o.phase) panels = split_panels(o.size_x, o.size_y);
  plan.amplitude = panels.amplitude;
  if (set_axes(plan.amplitude, x_min, x_max, o.log_x, y_min, y_max, o.log_y) < 0) {
    diagnose("the range " +
             (plan.amplitude.x.scale == 0 ? "of frequencies " + range_text(x_min, x_max)
                                          : "of amplitudes " + range_text(y_min, y_max)) +
             " cannot be drawn: it is empty or spans more decades than a number holds");
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
