#include "layout/layout_size.h"

#include <algorithm>
#include <cmath>

LayoutSize layout_size(const PlotOptions& o) {
  if (!o.report) return {o.size_x, o.size_y, 1};
  // A vector page with units is laid out on its exact size, not the
  // rounded pixels.
  bool vector_page = o.page_w_pt > 0 && vector_format(o.format);
  double x = vector_page ? o.page_w_pt * report_pixels_per_point : o.size_x;
  double y = vector_page ? o.page_h_pt * report_pixels_per_point : o.size_y;
  double scale =
      o.font_pt > 0 ? font_scale(o) : std::min(x / report_reference_x, y / report_reference_y);
  return {static_cast<int>(std::lround(x / scale)), static_cast<int>(std::lround(y / scale)),
          scale};
}
