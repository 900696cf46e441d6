#pragma once

#include <cstddef>
#include <vector>

#include "core/response_point.h"
#include "layout/pixel_point.h"
#include "layout/plot_area.h"

// A curve as separate runs of joined vertices: run k is
// vertices[k == 0 ? 0 : ends[k - 1]] up to vertices[ends[k]].
struct VertexRuns {
  VertexList vertices;
  std::vector<size_t> ends;
};

// The curve through `points` in list order, cut at the edges of `area`
// (its axes set): a segment that leaves the area ends its run at the frame,
// one that comes back starts a new run there, and one that only crosses it
// is drawn across. The cut is made in each axis's own scale, so a straight
// line on a log10 axis stays straight. Points inside map to the pixels
// map_to_area gives them; a point a log10 axis cannot show (at or below 0)
// breaks the curve.
void clip_to_area(const PointList& points, const PlotArea& area, VertexRuns& runs);
