#pragma once

#include "core/response_point.h"
#include "layout/pixel_point.h"
#include "layout/plot_area.h"

// Replaces `vertices` by the image pixels of the points that lie inside both
// ranges of `area` (its axes set by set_axes), in list order, truncating
// toward zero: x.min falls on column area.left, y.min on row area.bottom.
// The points are taken by value and released before returning.
void map_to_area(PointList points, const PlotArea& area, VertexList& vertices);
