#pragma once

#include <algorithm>

#include "core/plot_options.h"
#include "layout/lone_point.h"

// A box in the plot's coordinates (image pixels, or the report's layout
// units; y grows downward), its edges included.
struct CornerBox {
  double x0, y0, x1, y1;
};

// What lies under the legend in each corner it may take, gathered as the
// curves of the amplitude area are drawn, alike in both styles: the length
// of curve drawn inside each box, and the lone points any part of whose
// cross lies inside it. Indexed by corner_index.
struct CornerWeights {
  CornerBox boxes[4];
  double length[4] = {};
  int lone_points[4] = {};
};

// The index of a corner other than automatic in CornerWeights.
int corner_index(LegendCorner corner);

// The drawn segment from (x0, y0) to (x1, y1), weighed in every box.
void weigh_segment_in_boxes(CornerWeights& weights, double x0, double y0, double x1, double y1);

// A curve passing this close to a box (pixels, or layout units) is weighed
// as under it: a legend that only touches a curve hides its edge, and of
// two corners both clear, the one with room round it reads better.
constexpr double legend_clearance = 4;

// The same, inline for the most of a long curve that passes between the
// top boxes and the bottom ones, so that weighing slows its drawing little.
inline void weigh_segment(CornerWeights& w, double x0, double y0, double x1, double y1) {
  bool below_top = std::min(y0, y1) > std::max(w.boxes[0].y1, w.boxes[1].y1) + legend_clearance;
  bool above_bottom = std::max(y0, y1) < std::min(w.boxes[2].y0, w.boxes[3].y0) - legend_clearance;
  if (!(below_top && above_bottom)) weigh_segment_in_boxes(w, x0, y0, x1, y1);
}

// A lone point drawn at (x, y), as a cross whose strokes reach `reach`
// from it each way: lone_point_arm, and half their width beyond where
// they are wide.
void weigh_lone_point(CornerWeights& weights, double x, double y, double reach = lone_point_arm);

// The corner LEGEND=AUTO takes: the top right one, or the top left where
// less curve length lies under it; never one that covers a lone point,
// the bottom corners taken alike where both top ones would. Where every
// corner covers one, that covering the fewest.
LegendCorner automatic_corner(const CornerWeights& weights);
