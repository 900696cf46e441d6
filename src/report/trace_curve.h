#pragma once

#include <cstddef>
#include <vector>

#include "core/response_point.h"
#include "layout/plot_area.h"

// A point of a report curve, in layout units.
struct Vertex {
  double x, y;
};

// The runs of a curve as the report draws them: vertices, each run ending
// at the index in `ends` (a run of one vertex is a lone point).
struct TracedCurve {
  std::vector<Vertex> vertices;
  std::vector<size_t> ends;
};

// Where value v lies along an axis, in layout units from its minimum; not
// finite where v cannot be placed (v <= 0 on log10).
double along(const AxisScale& axis, double v);

// The curve of `points` over the area: cut a little outside the frame (the
// drawing clips it there), broken where a point cannot be placed, and
// thinned to what a raster of `per_unit` columns per layout unit shows: in
// each column the first and last vertex and the lowest and highest, in
// their order, which draws the same picture at that resolution from at
// most four vertices a column. `traced` is cleared first.
void trace_curve(const PointList& points, const PlotArea& area, double per_unit,
                 TracedCurve& traced);
