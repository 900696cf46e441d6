#include "layout/plot_area.h"

#include <cmath>

#include "core/fail.h"
#include "core/messages.h"

namespace {

const char* axis_message(bool x_axis, bool log_scale) {
  if (x_axis) {
    return log_scale ? message::x_log_refused : message::x_linear_refused;
  }
  return log_scale ? message::y_log_refused : message::y_linear_refused;
}

}  // namespace

PlotArea plot_area_between(int left, int top, int right, int bottom) {
  PlotArea area;
  area.left = left;
  area.top = top;
  area.right = right;
  area.bottom = bottom;
  area.width = right - left;
  area.height = bottom - top;
  return area;
}

PlotArea standard_plot_area(int size_x, int size_y) {
  return plot_area_between(left_margin, top_margin, size_x - right_margin, size_y - bottom_margin);
}

// A log range must span a finite, non-zero number of decades: a ratio that
// overflows would put every point at an infinite distance.
AxisScale axis_scale(double min, double max, bool log, int span) {
  AxisScale axis{min, max, log, 0.0};
  if (!log) {
    if (max > min) axis.scale = span / (max - min);
    return axis;
  }
  if (!(max > 0 && min > 0 && max > min)) return axis;
  double decades = std::log10(max / min);
  if (std::isfinite(decades) && decades > 0) axis.scale = span / decades;
  return axis;
}

int set_axes(PlotArea& area, double x_min, double x_max, bool log_x, double y_min, double y_max,
             bool log_y) {
  area.x = axis_scale(x_min, x_max, log_x, area.width);
  if (area.x.scale == 0.0) return fail(axis_message(true, log_x), -1);
  area.y = axis_scale(y_min, y_max, log_y, area.height);
  if (area.y.scale == 0.0) return fail(axis_message(false, log_y), -2);
  return 0;
}
