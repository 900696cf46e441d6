#include "layout/axis_walk.h"

LogAxis log_axis(const PlotArea& area, Orientation orientation) {
  bool horizontal = orientation == Orientation::horizontal;
  const AxisScale& scale = axis_of(area, orientation);
  return {orientation,
          scale.min,
          scale.max,
          decade_range(scale.min, scale.max),
          static_cast<double>(horizontal ? area.width : area.height),
          static_cast<double>(horizontal ? area.left : area.bottom)};
}

int tick_pixel(const PlotArea& area, Orientation orientation, double v) {
  if (axis_of(area, orientation).log) return to_pixel(log_axis(area, orientation).position(v));
  if (orientation == Orientation::horizontal) {
    return to_pixel((v - area.x.min) * area.x.scale + area.left);
  }
  return to_pixel(area.bottom - (v - area.y.min) * area.y.scale);
}
