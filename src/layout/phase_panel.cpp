#include "layout/phase_panel.h"

#include <cmath>

namespace {

constexpr double phase_unit = 45.0;  // the range ends on its multiples
constexpr int most_steps = 8;
// The amplitude area takes three fifths of the rows: the panel engineers
// read first, with room for its decades.
constexpr int amplitude_fifths = 3;
constexpr int fifths = 5;

}  // namespace

PanelLayout split_panels(int size_x, int size_y) {
  return stack_panels(size_x, size_y, true, false);
}

// Each panel in turn takes its parts of the rows; the last takes the rest,
// so that the stack ends on the standard area's bottom edge.
PanelLayout stack_panels(int size_x, int size_y, bool phase, bool deviation) {
  return stack_panels_in(standard_plot_area(size_x, size_y), panel_gap, phase, deviation);
}

PanelLayout stack_panels_in(const PlotArea& whole, int gap, bool phase, bool deviation) {
  PanelLayout panels{whole, {}, {}, {}};
  PlotArea* shown[4] = {&panels.amplitude};
  int parts[4] = {amplitude_fifths};
  int count = 1, total = amplitude_fifths;
  constexpr int other_parts = fifths - amplitude_fifths;
  auto add = [&](PlotArea& area) {
    shown[count] = &area;
    parts[count++] = other_parts;
    total += other_parts;
  };
  if (phase) add(panels.phase);
  if (deviation) add(panels.deviation);
  if (phase && deviation) add(panels.phase_deviation);
  int rows = whole.height - (count - 1) * gap;
  int top = whole.top;
  for (int i = 0; i < count; ++i) {
    int bottom = i + 1 < count ? top + rows * parts[i] / total : whole.bottom;
    *shown[i] = plot_area_between(whole.left, top, whole.right, bottom);
    top = bottom + gap;
  }
  return panels;
}

TickRule fit_phase_range(double& lo, double& hi, bool any) {
  if (!any) {
    lo = -180;
    hi = 180;
  }
  double low = std::floor(lo / phase_unit) * phase_unit;
  double high = std::ceil(hi / phase_unit) * phase_unit;
  if (low == high) {
    low -= phase_unit;
    high += phase_unit;
  }
  lo = low;
  hi = high;
  return phase_tick_rule(lo, hi);
}

TickRule phase_tick_rule(double lo, double hi) {
  TickRule rule{false, 0, phase_unit};
  // A range narrower than two multiples of 45 degrees (P_AXIS=100;130) is
  // labelled at nice steps, as any other linear axis.
  if (tick_count(rule, lo, hi) < 2) return linear_tick_rule(lo, hi);
  if ((hi - lo) / rule.step > most_steps) rule.step = 2 * phase_unit;
  while ((hi - lo) / rule.step > most_steps) rule.step *= 2;
  return rule;
}
