#include "layout/plan_picture.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "core/diagnostic.h"
#include "core/fail.h"
#include "core/messages.h"
#include "layout/amplitude_range.h"
#include "layout/fit_range.h"
#include "layout/guide_lines.h"
#include "layout/layout_size.h"
#include "layout/phase_panel.h"
#include "layout/range_diagnostics.h"
#include "layout/tick_labels.h"

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

// The ranges of a picture before they meet its pixels.
struct Ranges {
  double x_min, x_max, y_min, y_max, p_min = 0, p_max = 0;
  double d_min = 0, d_max = 0, q_min = 0, q_max = 0;  // the deviations, dB and degrees
};

// The least half-span of a deviation axis, dB and degrees: a perfect match
// still shows a scale around its zero line.
constexpr double least_db = 1, least_deg = 5;

// A deviation axis: given, or fitted to the deviations inside the frequency
// range, to at least +-least and to the tolerance.
TickRule deviation_range(const CurveList& curves, PointList Curve::*list, const Ranges& r,
                         double least, double tolerance, double& lo, double& hi) {
  lo = -std::max(least, tolerance);
  hi = -lo;
  for (size_t i = 1; i < curves.size(); ++i) {
    for (const ResponsePoint& p : curves[i].*list) {
      if (!(r.x_min <= p.x && p.x <= r.x_max)) continue;
      lo = std::min(lo, p.y);
      hi = std::max(hi, p.y);
    }
  }
  return anchored_rule(fit_amplitude_range(lo, hi, false), tolerance);
}

void plan_deviations(const CurveList& curves, const PlotOptions& o, PicturePlan& plan, Ranges& r) {
  double tol_db = tolerance_db(o), tol_deg = tolerance_deg(o);
  if (o.d_axis_given) {
    r.d_min = o.d_min, r.d_max = o.d_max;
    plan.deviation_rule = anchored_rule(given_range_rule(r.d_min, r.d_max, false), tol_db);
  } else {
    plan.deviation_rule =
        deviation_range(curves, &Curve::deviation, r, least_db, tol_db, r.d_min, r.d_max);
  }
  if (o.phase) {
    plan.phase_deviation_rule =
        deviation_range(curves, &Curve::phase_deviation, r, least_deg, tol_deg, r.q_min, r.q_max);
  }
}

// Room left of the plot for its widest fitted label and, where given, the
// upright axis name beside it, so that in a fitted picture a label never
// runs off the picture or into the name. The first version's margin is the
// least; at most half the picture goes to labels.
int label_room(const TickRule& rule, double lo, double hi, bool log, const char* name, int size_x) {
  int widest = 0;
  for (const Tick& t : axis_ticks(rule, {lo, hi, log, 0}))
    widest = std::max(widest, t.label.width());
  int name_room = name[0] != '\0' ? axis_name_left + axis_name_height : 0;
  constexpr int edge_gap = 2;
  return std::clamp(name_room + edge_gap + widest + label_right_gap, left_margin, size_x / 2);
}

PanelLayout panels_for(const PicturePlan& plan, const PlotOptions& o, const Ranges& r) {
  PanelLayout panels = stack_panels(plan.size_x, plan.size_y, o.phase, o.diff);
  int left = left_margin;
  if (!plan.clipped) return panels;  // the first version's geometry
  if (plan.fit_y) {
    left = std::max(left, label_room(plan.y_rule, r.y_min, r.y_max, o.log_y, o.dim_y, plan.size_x));
  }
  if (o.phase) {
    left =
        std::max(left, label_room(plan.phase_rule, r.p_min, r.p_max, false, o.dim_p, plan.size_x));
  }
  if (o.diff) {
    left = std::max(left,
                    label_room(plan.deviation_rule, r.d_min, r.d_max, false, o.dim_d, plan.size_x));
  }
  if (o.diff && o.phase) {
    left = std::max(left, label_room(plan.phase_deviation_rule, r.q_min, r.q_max, false, o.dim_dp,
                                     plan.size_x));
  }
  for (PlotArea* area :
       {&panels.amplitude, &panels.phase, &panels.deviation, &panels.phase_deviation}) {
    *area = plot_area_between(left, area->top, area->right, area->bottom);
  }
  return panels;
}

// Why the axes of the amplitude area cannot be drawn: no point in the
// frequency range leaves the amplitude range a single value, which is said
// as such; otherwise the range itself.
void diagnose_axes_refused(const CurveList& curves, const PlotOptions& o, const PlotArea& area,
                           const Ranges& r) {
  bool x_refused = area.x.scale == 0;
  if (!x_refused && !o.y_axis_given && !any_point_in(curves, r.x_min, r.x_max)) {
    diagnose_no_point_in_range(curves, o, r.x_min, r.x_max);
    return;
  }
  diagnose(inputs_named(curves, o) + ": the range " +
           (x_refused ? "of frequencies " + range_text(r.x_min, r.x_max)
                      : "of amplitudes " + range_text(r.y_min, r.y_max)) +
           " cannot be drawn: it is empty or spans more decades than a number holds");
}

// The frequency and amplitude ranges and their rules; fails when the
// amplitudes cannot be drawn on their axis.
int plan_ranges(const CurveList& curves, const PlotOptions& o, PicturePlan& plan, Ranges& r) {
  r.x_min = o.x_min, r.x_max = o.x_max;
  if (o.fit) {
    if (!o.x_axis_given) data_frequency_range(curves, r.x_min, r.x_max);
    plan.x_rule = fit_frequency_range(r.x_min, r.x_max, o.log_x);
  }
  amplitude_range(curves, o, r.x_min, r.x_max, r.y_min, r.y_max);
  bool signed_amplitudes = (o.fit && !o.log_y) || o.y_axis_given || o.db;
  if (!signed_amplitudes && (r.y_max <= 0 || r.y_min <= 0)) {
    diagnose_amplitudes(curves, o, r.x_min, r.x_max);
    return fail(message::amplitude_not_positive, -1);
  }
  if (o.y_axis_given) {
    plan.y_rule = given_range_rule(r.y_min, r.y_max, o.log_y);
  } else if (o.fit || o.db) {
    plan.y_rule = fit_amplitude_range(r.y_min, r.y_max, o.log_y);
  }
  if (o.phase) phase_range(curves, o, {r.x_min, r.x_max}, r.p_min, r.p_max, plan.phase_rule);
  if (o.diff) plan_deviations(curves, o, plan, r);
  return 0;
}

}  // namespace

int plan_picture(const CurveList& curves, const PlotOptions& o, PicturePlan& plan) {
  plan.fit_x = o.fit;
  plan.fit_y = o.fit || o.y_axis_given || o.db;
  plan.clipped = fitted_picture(o);
  LayoutSize size = layout_size(o);
  plan.size_x = size.x, plan.size_y = size.y, plan.scale = size.scale;
  Ranges r;
  if (plan_ranges(curves, o, plan, r) < 0) return -1;
  PanelLayout panels = panels_for(plan, o, r);
  plan.amplitude = panels.amplitude;
  if (set_axes(plan.amplitude, r.x_min, r.x_max, o.log_x, r.y_min, r.y_max, o.log_y) < 0) {
    diagnose_axes_refused(curves, o, plan.amplitude, r);
    last_error = message::mapping_refused + last_error;
    return -2;
  }
  if (o.diff) {
    plan.deviation = panels.deviation;
    plan.deviation.x = plan.amplitude.x;
    plan.deviation.y = axis_scale(r.d_min, r.d_max, false, plan.deviation.height);
    plan.phase_deviation = panels.phase_deviation;
    plan.phase_deviation.x = plan.amplitude.x;
    plan.phase_deviation.y = axis_scale(r.q_min, r.q_max, false, plan.phase_deviation.height);
  }
  if (!o.phase) return 0;
  plan.phase = panels.phase;
  plan.phase.x = plan.amplitude.x;
  plan.phase.y = axis_scale(r.p_min, r.p_max, false, plan.phase.height);
  plan.phase_drawable = plan.phase.y.scale > 0 && std::isfinite(plan.phase.y.scale);
  if (!plan.phase_drawable) {
    diagnose(inputs_named(curves, o) +
             ": the phases span more than a number holds; the phase curves are left out");
  }
  return 0;
}
