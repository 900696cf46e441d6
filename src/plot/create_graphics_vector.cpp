#include "plot/create_graphics_vector.h"

#include <cmath>

#include "core/fail.h"
#include "core/run_together.h"
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

struct Mapping {
  double x_min, x_max, y_min, y_max, scale_x, scale_y;
  bool log_x, log_y, positive_only;
  int plot_left, plot_bottom;
};

// Appends the vertices of the points in [p, end) that lie inside both ranges.
void map_points(const ResponsePoint* p, const ResponsePoint* end, const Mapping& m,
                VertexList& vertices) {
  for (; p < end; ++p) {
    if (!(m.x_min <= p->x && p->x <= m.x_max && m.y_min <= p->y && p->y <= m.y_max)) continue;
    if (m.positive_only && ((m.log_x && p->x <= 0) || (m.log_y && p->y <= 0))) continue;
    double dx = m.log_x ? std::log10(p->x / m.x_min) : p->x - m.x_min;
    int32_t column = to_pixel(dx * m.scale_x + m.plot_left);
    double dy = m.log_y ? std::log10(p->y / m.y_min) : p->y - m.y_min;
    int32_t row = to_pixel(m.plot_bottom - dy * m.scale_y);
    vertices.push_back({column, row});
  }
}

// Below this a second thread costs more than it saves.
constexpr size_t halves_from = size_t{1} << 18;

// Maps the two halves of a big list at once.
void map_all(const PointList& points, const Mapping& m, VertexList& vertices) {
  vertices.reserve(points.size());
  const ResponsePoint* p = points.data();
  size_t n = points.size();
  if (n < halves_from) {
    map_points(p, p + n, m, vertices);
    return;
  }
  VertexList later;
  run_together([&] { map_points(p, p + n / 2, m, vertices); },
               [&] {
                 later.reserve(n - n / 2);
                 map_points(p + n / 2, p + n, m, later);
               });
  vertices.insert(vertices.end(), later.begin(), later.end());
}

}  // namespace

int create_graphics_vector(PointList points, double x_min, double x_max, double y_min, double y_max,
                           bool log_x, bool log_y, int plot_left, int plot_bottom, int plot_width,
                           int plot_height, VertexList& vertices, bool positive_only) {
  int result = vertices.empty() ? 0 : 1;
  vertices.clear();
  double scale_x = axis_scale(x_min, x_max, log_x, plot_width);
  if (scale_x == 0.0) return fail(axis_message(true, log_x), -1);
  double scale_y = axis_scale(y_min, y_max, log_y, plot_height);
  if (scale_y == 0.0) return fail(axis_message(false, log_y), -2);
  Mapping m{x_min, x_max, y_min,         y_max,     scale_x,    scale_y,
            log_x, log_y, positive_only, plot_left, plot_bottom};
  map_all(points, m, vertices);
  return vertices.empty() ? 2 : result;
}
