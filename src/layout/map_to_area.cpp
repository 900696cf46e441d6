#include "layout/map_to_area.h"

#include <cmath>
#include <cstring>
#include <new>

#include "core/run_together.h"
#include "layout/to_pixel.h"

namespace {

static_assert(2 * sizeof(PixelPoint) <= sizeof(ResponsePoint) &&
              alignof(PixelPoint) <= alignof(ResponsePoint));

// Writes the vertices of the points in [p, end) that lie inside both ranges
// from `to` on, and returns how many. A vertex never reaches a point not yet
// read: the n-th vertex ends at most 8 (n + 1) bytes past `to`, the n-th
// point begins 16 n bytes past it, and `to` is at or before `p`. A set axis
// has a positive minimum on log10, so every point inside its range has a
// logarithm.
size_t map_points(const ResponsePoint* p, const ResponsePoint* end, const PlotArea& a,
                  unsigned char* to) {
  const AxisScale& x = a.x;
  const AxisScale& y = a.y;
  size_t n = 0;
  for (; p < end; ++p) {
    ResponsePoint point = *p;
    if (!(x.min <= point.x && point.x <= x.max && y.min <= point.y && point.y <= y.max)) continue;
    double dx = x.log ? std::log10(point.x / x.min) : point.x - x.min;
    double dy = y.log ? std::log10(point.y / y.min) : point.y - y.min;
    PixelPoint v{to_pixel(dx * x.scale + a.left), to_pixel(a.bottom - dy * y.scale)};
    memcpy(to + n++ * sizeof v, &v, sizeof v);
  }
  return n;
}

// Below this a second thread costs more than it saves.
constexpr size_t halves_from = size_t{1} << 18;

}  // namespace

// The two halves of a big list are mapped at once, each over its own
// points, and the second half's vertices moved down after the first's.
std::span<const PixelPoint> map_to_area(PointList& points, const PlotArea& area) {
  const ResponsePoint* p = points.data();
  auto* storage = reinterpret_cast<unsigned char*>(points.data());
  size_t n = points.size(), count = 0;
  if (n < halves_from) {
    count = map_points(p, p + n, area, storage);
  } else {
    size_t half = n / 2, later = 0;
    unsigned char* later_storage = storage + half * sizeof(ResponsePoint);
    run_together([&] { count = map_points(p, p + half, area, storage); },
                 [&] { later = map_points(p + half, p + n, area, later_storage); });
    memmove(storage + count * sizeof(PixelPoint), later_storage, later * sizeof(PixelPoint));
    count += later;
  }
  return {std::launder(reinterpret_cast<const PixelPoint*>(storage)), count};
}
