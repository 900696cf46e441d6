#pragma once

#include <cmath>

#include "layout/log_decades.h"
#include "layout/plot_area.h"
#include "layout/to_pixel.h"

// Where the lines of an axis fall, as the grid, its labels and the fitted
// axes all place them. The X axis runs along the columns from the area's
// left edge, the Y axis along the rows up from its bottom edge; each keeps
// its own order of arithmetic, which decides where a line lands.
enum class Orientation { horizontal, vertical };

// A log10 axis of the area and where a value lies on it.
struct LogAxis {
  Orientation orientation;
  double min, max;
  DecadeRange decades;
  double span;    // the area's width (X) or height (Y)
  double origin;  // its left edge (X) or bottom edge (Y)

  double position(double v) const {
    double along = (std::log10(v) - decades.lowest) * span / decades.decades;
    return orientation == Orientation::horizontal ? along + origin : origin - along;
  }
};

LogAxis log_axis(const PlotArea& area, Orientation orientation);

// The scale of the area's axis along `orientation`.
inline const AxisScale& axis_of(const PlotArea& area, Orientation orientation) {
  return orientation == Orientation::horizontal ? area.x : area.y;
}

// Calls visit(decade, pixel) for every decade pass of the axis in order,
// with the column or row of its (clamped) line; none for a range without a
// drawable span of decades.
template <class Visit>
void for_each_decade(const LogAxis& axis, Visit visit) {
  if (!axis.decades.drawable()) return;
  for (int k = 0; k < axis.decades.count; ++k) {
    Decade decade = decade_at(axis.decades, k, axis.min, axis.max);
    visit(decade, to_pixel(axis.position(decade.clamped)));
  }
}

// Calls visit(i, pixel) for the inner lines i = 1 ... n - 1 of a linear grid
// of n equal whole-pixel steps; none when n <= 1 or a step is under a pixel.
template <class Visit>
void for_each_linear_line(const PlotArea& area, Orientation orientation, int n, Visit visit) {
  if (n <= 1) return;
  bool horizontal = orientation == Orientation::horizontal;
  int step = (horizontal ? area.width : area.height) / n;
  // More intervals than pixels would pile every line and label onto one
  // end: such a grid is left out, like a count of 1.
  if (step == 0) return;
  for (int i = 1; i <= n - 1; ++i)
    visit(i, horizontal ? area.left + i * step : area.bottom - i * step);
}

// The column (X) or row (Y) of value v on the area's axis, as the grid
// places it.
int tick_pixel(const PlotArea& area, Orientation orientation, double v);
