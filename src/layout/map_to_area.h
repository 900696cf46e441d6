#pragma once

#include <span>

#include "core/response_point.h"
#include "layout/pixel_point.h"
#include "layout/plot_area.h"

// The image pixels of the points that lie inside both ranges of `area` (its
// axes set by set_axes), in list order, truncating toward zero: x.min falls
// on column area.left, y.min on row area.bottom. The vertices are written
// over the points' own storage, a vertex in half a point's room, so that a
// big list costs no fresh pages: the points are used up, and the vertices
// last as long as `points` holds its storage.
std::span<const PixelPoint> map_to_area(PointList& points, const PlotArea& area);
