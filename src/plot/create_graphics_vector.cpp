#include "plot/create_graphics_vector.h"

#include <cmath>
#include <utility>

#include "core/run_together.h"
#include "plot/to_pixel.h"

namespace {

// Appends the vertices of the points in [p, end) that lie inside both ranges.
void map_points(const ResponsePoint* p, const ResponsePoint* end, const PlotArea& a,
                bool positive_only, VertexList& vertices) {
  const AxisScale& x = a.x;
  const AxisScale& y = a.y;
  for (; p < end; ++p) {
    if (!(x.min <= p->x && p->x <= x.max && y.min <= p->y && p->y <= y.max)) continue;
    if (positive_only && ((x.log && p->x <= 0) || (y.log && p->y <= 0))) continue;
    double dx = x.log ? std::log10(p->x / x.min) : p->x - x.min;
    int32_t column = to_pixel(dx * x.scale + a.left);
    double dy = y.log ? std::log10(p->y / y.min) : p->y - y.min;
    int32_t row = to_pixel(a.bottom - dy * y.scale);
    vertices.push_back({column, row});
  }
}

// Below this a second thread costs more than it saves.
constexpr size_t halves_from = size_t{1} << 18;

}  // namespace

// The two halves of a big list are mapped at once.
int map_to_area(PointList points, const PlotArea& area, VertexList& vertices, bool positive_only) {
  int result = vertices.empty() ? 0 : 1;
  vertices.clear();
  vertices.reserve(points.size());
  const ResponsePoint* p = points.data();
  size_t n = points.size();
  if (n < halves_from) {
    map_points(p, p + n, area, positive_only, vertices);
  } else {
    VertexList later;
    run_together([&] { map_points(p, p + n / 2, area, positive_only, vertices); },
                 [&] {
                   later.reserve(n - n / 2);
                   map_points(p + n / 2, p + n, area, positive_only, later);
                 });
    vertices.insert(vertices.end(), later.begin(), later.end());
  }
  return vertices.empty() ? 2 : result;
}

int create_graphics_vector(PointList points, double x_min, double x_max, double y_min, double y_max,
                           bool log_x, bool log_y, int plot_left, int plot_bottom, int plot_width,
                           int plot_height, VertexList& vertices, bool positive_only) {
  int result = vertices.empty() ? 0 : 1;
  vertices.clear();
  PlotArea area =
      plot_area_between(plot_left, plot_bottom - plot_height, plot_left + plot_width, plot_bottom);
  int refused = set_axes(area, x_min, x_max, log_x, y_min, y_max, log_y);
  if (refused < 0) return refused;
  int mapped = map_to_area(std::move(points), area, vertices, positive_only);
  return mapped == 2 ? 2 : result;
}
