#include "layout/map_to_area.h"

#include <cmath>
#include <utility>

#include "core/run_together.h"
#include "layout/to_pixel.h"

namespace {

// Appends the vertices of the points in [p, end) that lie inside both ranges.
// A set axis has a positive minimum on log10, so every point inside its range
// has a logarithm.
void map_points(const ResponsePoint* p, const ResponsePoint* end, const PlotArea& a,
                VertexList& vertices) {
  const AxisScale& x = a.x;
  const AxisScale& y = a.y;
  for (; p < end; ++p) {
    if (!(x.min <= p->x && p->x <= x.max && y.min <= p->y && p->y <= y.max)) continue;
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
void map_to_area(PointList points, const PlotArea& area, VertexList& vertices) {
  vertices.clear();
  vertices.reserve(points.size());
  const ResponsePoint* p = points.data();
  size_t n = points.size();
  if (n < halves_from) {
    map_points(p, p + n, area, vertices);
  } else {
    VertexList later;
    run_together([&] { map_points(p, p + n / 2, area, vertices); },
                 [&] {
                   later.reserve(n - n / 2);
                   map_points(p + n / 2, p + n, area, later);
                 });
    vertices.insert(vertices.end(), later.begin(), later.end());
  }
}
