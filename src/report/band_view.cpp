#include "report/band_view.h"

#include <algorithm>

bool rows_show(cairo_t* cr, double top, double bottom) {
  cairo_surface_t* target = cairo_get_target(cr);
  if (cairo_surface_get_type(target) != CAIRO_SURFACE_TYPE_IMAGE) return true;
  cairo_matrix_t m;
  cairo_get_matrix(cr, &m);
  if (m.xy != 0 || m.yx != 0) return true;
  double a = m.yy * top + m.y0, b = m.yy * bottom + m.y0;
  // A pixel's worth either side for the anti-aliased edge.
  constexpr double fringe = 1;
  return std::max(a, b) >= -fringe &&
         std::min(a, b) <= cairo_image_surface_get_height(target) + fringe;
}
