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
  PlotArea whole = standard_plot_area(size_x, size_y);
  int amplitude_rows = (whole.height - panel_gap) * amplitude_fifths / fifths;
  int amplitude_bottom = whole.top + amplitude_rows;
  return {plot_area_between(whole.left, whole.top, whole.right, amplitude_bottom),
          plot_area_between(whole.left, amplitude_bottom + panel_gap, whole.right, whole.bottom)};
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
  if ((hi - lo) / rule.step > most_steps) rule.step = 2 * phase_unit;
  while ((hi - lo) / rule.step > most_steps) rule.step *= 2;
  return rule;
}
