#include "plot/create_graphics_vector.h"

#include <cmath>

#include "driver/last_error.h"
#include "plot/to_pixel.h"

namespace {

// Pixels per unit (linear) or per decade (log10), or 0 when the range
// cannot be drawn on that scale. A log range must also span a finite,
// non-zero number of decades: a ratio that overflows would put every point
// at an infinite distance.
double axis_scale(double lo, double hi, bool log_scale, int span) {
  if (!log_scale) return hi > lo ? span / (hi - lo) : 0.0;
  if (!(hi > 0 && lo > 0 && hi > lo)) return 0.0;
  double decades = std::log10(hi / lo);
  return std::isfinite(decades) && decades > 0 ? span / decades : 0.0;
}

const char* axis_message(bool x_axis, bool log_scale) {
  if (x_axis) {
    return log_scale ? "create_graphics_vector(): Incorrect X-axis values for Log10-scale"
                     : "create_graphics_vector(): Incorrect X-axis values for Line-scale";
  }
  return log_scale ? "create_graphics_vector(): Incorrect Y-axis values for Log10-scale"
                   : "create_graphics_vector(): Incorrect Y-axis values for Line-scale";
}

}  // namespace

int create_graphics_vector(PointList points, double x_min, double x_max, double y_min, double y_max,
                           bool log_x, bool log_y, int plot_left, int plot_bottom, int plot_width,
                           int plot_height, VertexList& vertices, bool positive_only) {
  int result = vertices.empty() ? 0 : 1;
  vertices.clear();
  double scale_x = axis_scale(x_min, x_max, log_x, plot_width);
  if (scale_x == 0.0) {
    last_error = axis_message(true, log_x);
    return -1;
  }
  double scale_y = axis_scale(y_min, y_max, log_y, plot_height);
  if (scale_y == 0.0) {
    last_error = axis_message(false, log_y);
    return -2;
  }
  vertices.reserve(points.size());
  for (const ResponsePoint& p : points) {
    if (!(x_min <= p.x && p.x <= x_max && y_min <= p.y && p.y <= y_max)) continue;
    if (positive_only && ((log_x && p.x <= 0) || (log_y && p.y <= 0))) continue;
    double dx = log_x ? std::log10(p.x / x_min) : p.x - x_min;
    int32_t column = to_pixel(dx * scale_x + plot_left);
    double dy = log_y ? std::log10(p.y / y_min) : p.y - y_min;
    int32_t row = to_pixel(plot_bottom - dy * scale_y);
    vertices.push_back({column, row});
  }
  return vertices.empty() ? 2 : result;
}
