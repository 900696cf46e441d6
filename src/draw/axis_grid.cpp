#include "draw/axis_grid.h"

#include <cmath>
#include <cstdint>
#include <vector>

#include "layout/distinct_steps.h"
#include "layout/to_pixel.h"

namespace {

// The subdivisions of one decade. Positions rise with j on X and fall on Y,
// where their negatives are walked instead. With more than ten subdivisions
// a pass reaches back into earlier decades; a line already dashed is not
// dashed again.
void draw_subdivisions(gdImagePtr image, int black, const PlotArea& area, const LogAxis& axis,
                       double d, int sub_grid, std::vector<bool>& dashed) {
  bool horizontal = axis.orientation == Orientation::horizontal;
  int64_t sign = horizontal ? 1 : -1;
  int64_t low = horizontal ? area.left : -int64_t{area.bottom};
  int64_t high = horizontal ? area.right : -int64_t{area.top};
  auto key = [&](int64_t j) { return sign * position_key(axis.position(j * d / sub_grid)); };
  visit_distinct(sub_grid - 1, low, high, key, [&](int64_t signed_pixel) {
    int pixel = static_cast<int>(sign * signed_pixel);
    if (dashed[pixel]) return;
    dashed[pixel] = true;
    draw_grid_line(image, black, area, axis.orientation, pixel, true);
  });
}

void draw_linear_grid(gdImagePtr image, int black, const PlotArea& area, Orientation orientation,
                      int n) {
  bool horizontal = orientation == Orientation::horizontal;
  for_each_linear_line(area, orientation, n, [&](int, int pixel) {
    bool inside = horizontal ? pixel < area.right : pixel > area.top;
    if (inside) draw_grid_line(image, black, area, orientation, pixel, true);
  });
}

}  // namespace

void draw_grid_line(gdImagePtr image, int black, const PlotArea& area, Orientation orientation,
                    int pixel, bool dashed) {
  auto line = dashed ? gdImageDashedLine : gdImageLine;
  if (orientation == Orientation::horizontal) {
    line(image, pixel, area.top, pixel, area.bottom, black);
  } else {
    line(image, area.left, pixel, area.right, pixel, black);
  }
}

void draw_log_grid(gdImagePtr image, int black, const PlotArea& area, Orientation orientation,
                   int sub_grid, bool complete) {
  LogAxis axis = log_axis(area, orientation);
  if (!axis.decades.drawable()) return;
  bool horizontal = orientation == Orientation::horizontal;
  std::vector<bool> dashed((horizontal ? area.right : area.bottom) + 1);
  double last = 0;
  for_each_decade(axis, [&](const Decade& decade, int pixel) {
    draw_grid_line(image, black, area, orientation, pixel, false);
    if (sub_grid > 1 && decade.value >= axis.min) {
      draw_subdivisions(image, black, area, axis, decade.value, sub_grid, dashed);
    }
    last = decade.exponent;
  });
  double next = std::pow(10.0, last + 1);
  if (complete && sub_grid > 1 && std::isfinite(next)) {
    draw_subdivisions(image, black, area, axis, next, sub_grid, dashed);
  }
}

void draw_grid(gdImagePtr image, int black, const PlotArea& area, Orientation orientation,
               int sub_grid) {
  if (axis_of(area, orientation).log) {
    draw_log_grid(image, black, area, orientation, sub_grid, false);
  } else {
    draw_linear_grid(image, black, area, orientation, sub_grid);
  }
}
