#include "plot/axis_grid.h"

#include <cstdint>
#include <vector>

#include "plot/distinct_steps.h"

namespace {

// A line across the area at column `pixel` (X) or row `pixel` (Y), drawn
// from the left or top so that the dash pattern starts there.
void grid_line(gdImagePtr image, int black, const PlotArea& area, Orientation orientation,
               int pixel, bool dashed) {
  auto line = dashed ? gdImageDashedLine : gdImageLine;
  if (orientation == Orientation::horizontal) {
    line(image, pixel, area.top, pixel, area.bottom, black);
  } else {
    line(image, area.left, pixel, area.right, pixel, black);
  }
}

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
    grid_line(image, black, area, axis.orientation, pixel, true);
  });
}

}  // namespace

LogAxis log_axis(const PlotArea& area, Orientation orientation) {
  bool horizontal = orientation == Orientation::horizontal;
  const AxisScale& scale = horizontal ? area.x : area.y;
  return {orientation,
          scale.min,
          scale.max,
          decade_range(scale.min, scale.max),
          static_cast<double>(horizontal ? area.width : area.height),
          static_cast<double>(horizontal ? area.left : area.bottom)};
}

void draw_log_grid(gdImagePtr image, int black, const PlotArea& area, Orientation orientation,
                   int sub_grid) {
  LogAxis axis = log_axis(area, orientation);
  if (!axis.decades.drawable()) return;
  bool horizontal = orientation == Orientation::horizontal;
  std::vector<bool> dashed((horizontal ? area.right : area.bottom) + 1);
  for_each_decade(axis, [&](const Decade& decade, int pixel) {
    grid_line(image, black, area, orientation, pixel, false);
    if (sub_grid > 1 && decade.value >= axis.min) {
      draw_subdivisions(image, black, area, axis, decade.value, sub_grid, dashed);
    }
  });
}

void draw_linear_grid(gdImagePtr image, int black, const PlotArea& area, Orientation orientation,
                      int n) {
  bool horizontal = orientation == Orientation::horizontal;
  for_each_linear_line(area, orientation, n, [&](int, int pixel) {
    bool inside = horizontal ? pixel < area.right : pixel > area.top;
    if (inside) grid_line(image, black, area, orientation, pixel, true);
  });
}

void draw_grid(gdImagePtr image, int black, const PlotArea& area, Orientation orientation,
               int sub_grid) {
  bool log = orientation == Orientation::horizontal ? area.x.log : area.y.log;
  if (log) {
    draw_log_grid(image, black, area, orientation, sub_grid);
  } else {
    draw_linear_grid(image, black, area, orientation, sub_grid);
  }
}
