#include "layout/plan_picture.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "core/diagnostic.h"
#include "core/fail.h"
#include "core/messages.h"
#include "layout/amplitude_range.h"
#include "layout/fit_range.h"
#include "layout/phase_panel.h"

namespace {

constexpr double phase_margin = 0.03;  // of the span, at each end of a fitted phase axis

// The phase range: given, or over the phases inside the frequency range,
// widened to multiples of 45 degrees; in a fitted picture with a margin, so
// that a phase on a line at either end is not hidden by the frame.
void phase_range(const CurveList& curves, const PlotOptions& o, const AxisScale& x, double& lo,
                 double& hi, TickRule& rule) {
  if (o.p_axis_given) {
    lo = o.p_min;
    hi = o.p_max;
    rule = phase_tick_rule(lo, hi);
    return;
  }
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
  if (!fitted_picture(o)) return;
  double pad = phase_margin * (hi - lo);
  if (std::isfinite(lo - pad) && std::isfinite(hi + pad)) lo -= pad, hi += pad;
}

void plan_phase(const CurveList& curves, const PlotOptions& o, PicturePlan& plan) {
  plan.phase.x = plan.amplitude.x;
  double lo = 0, hi = 0;
  phase_range(curves, o, plan.amplitude.x, lo, hi, plan.phase_rule);
  plan.phase.y = axis_scale(lo, hi, false, plan.phase.height);
  plan.phase_drawable = plan.phase.y.scale > 0 && std::isfinite(plan.phase.y.scale);
  if (!plan.phase_drawable) {
    diagnose("the phases span more than a number holds; the phase curves are left out");
  }
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

// The amplitude range: given, fitted to the data (whatever their order), or
// as the first version found it.
void amplitude_range(const CurveList& curves, const PlotOptions& o, double x_min, double x_max,
                     double& y_min, double& y_max) {
  if (o.y_axis_given) {
    y_min = o.y_min;
    y_max = o.y_max;
  } else if (!fitted_picture(o) ||
             !fitted_amplitude_range(curves, x_min, x_max, o.log_x, o.log_y, y_min, y_max)) {
    find_common_amplitude_range(curves, x_min, x_max, y_min, y_max);
  }
}

}  // namespace

int plan_picture(const CurveList& curves, const PlotOptions& o, PicturePlan& plan) {
  plan.fit_x = o.fit;
  plan.fit_y = o.fit || o.y_axis_given;
  plan.clipped = fitted_picture(o);
  double x_min = o.x_min, x_max = o.x_max;
  if (o.fit) {
    if (!o.x_axis_given) data_frequency_range(curves, x_min, x_max);
    plan.x_rule = fit_frequency_range(x_min, x_max, o.log_x);
  }
  double y_min, y_max;
  amplitude_range(curves, o, x_min, x_max, y_min, y_max);
  bool signed_amplitudes = (o.fit && !o.log_y) || o.y_axis_given;
  if (!signed_amplitudes && (y_max <= 0 || y_min <= 0)) {
    diagnose_amplitudes(curves, o, x_min, x_max);
    return fail(message::amplitude_not_positive, -1);
  }
  if (o.y_axis_given) {
    plan.y_rule = given_range_rule(y_min, y_max, o.log_y);
  } else if (o.fit) {
    plan.y_rule = fit_amplitude_range(y_min, y_max, o.log_y);
  }
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
    plan_phase(curves, o, plan);
  }
  return 0;
}
