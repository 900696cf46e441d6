#include "layout/layout_size.h"

#include <algorithm>
#include <cmath>

LayoutSize layout_size(const PlotOptions& o) {
  if (!o.report) return {o.size_x, o.size_y, 1};
  double scale = std::min(o.size_x / report_reference_x, o.size_y / report_reference_y);
  return {static_cast<int>(std::lround(o.size_x / scale)),
          static_cast<int>(std::lround(o.size_y / scale)), scale};
}
