#include "layout/legend_corner.h"

#include <algorithm>
#include <cmath>

#include "layout/lone_point.h"

namespace {

// The part of [0, 1] along the segment p + t d that lies within [lo, hi]
// on one axis, narrowing [t0, t1]; false when none does.
bool clip_axis(double p, double d, double lo, double hi, double& t0, double& t1) {
  if (d == 0) return lo <= p && p <= hi;
  double a = (lo - p) / d, b = (hi - p) / d;
  t0 = std::max(t0, std::min(a, b));
  t1 = std::min(t1, std::max(a, b));
  return t0 <= t1;
}

// The box with its clearance round it.
CornerBox cleared(const CornerBox& b) {
  constexpr double c = legend_clearance;
  return {b.x0 - c, b.y0 - c, b.x1 + c, b.y1 + c};
}

// The length of the segment inside the box.
double length_inside(const CornerBox& b, double x0, double y0, double x1, double y1) {
  double dx = x1 - x0, dy = y1 - y0, t0 = 0, t1 = 1;
  if (!clip_axis(x0, dx, b.x0, b.x1, t0, t1) || !clip_axis(y0, dy, b.y0, b.y1, t0, t1)) return 0;
  return (t1 - t0) * std::hypot(dx, dy);
}

// The better of two corners: no lone point under it, then less length;
// on a tie the first.
int better(const CornerWeights& w, int first, int second) {
  if (w.lone_points[first] != w.lone_points[second]) {
    return w.lone_points[first] < w.lone_points[second] ? first : second;
  }
  return w.length[second] < w.length[first] ? second : first;
}

}  // namespace

int corner_index(LegendCorner corner) {
  switch (corner) {
    case LegendCorner::top_left:
      return 1;
    case LegendCorner::bottom_right:
      return 2;
    case LegendCorner::bottom_left:
      return 3;
    default:
      return 0;
  }
}

void weigh_segment_in_boxes(CornerWeights& w, double x0, double y0, double x1, double y1) {
  double left = std::min(x0, x1), right = std::max(x0, x1);
  double top = std::min(y0, y1), bottom = std::max(y0, y1);
  for (int i = 0; i < 4; ++i) {
    CornerBox b = cleared(w.boxes[i]);
    if (right < b.x0 || left > b.x1 || bottom < b.y0 || top > b.y1) continue;
    w.length[i] += length_inside(b, x0, y0, x1, y1);
  }
}

void weigh_lone_point(CornerWeights& w, double x, double y, double arm) {
  for (int i = 0; i < 4; ++i) {
    const CornerBox& b = w.boxes[i];
    bool apart = x + arm < b.x0 || x - arm > b.x1 || y + arm < b.y0 || y - arm > b.y1;
    if (!apart) ++w.lone_points[i];
  }
}

LegendCorner automatic_corner(const CornerWeights& w) {
  constexpr LegendCorner corners[] = {LegendCorner::top_right, LegendCorner::top_left,
                                      LegendCorner::bottom_right, LegendCorner::bottom_left};
  int top = better(w, corner_index(LegendCorner::top_right), corner_index(LegendCorner::top_left));
  if (w.lone_points[top] == 0) return corners[top];
  int bottom =
      better(w, corner_index(LegendCorner::bottom_right), corner_index(LegendCorner::bottom_left));
  if (w.lone_points[bottom] == 0) return corners[bottom];
  return corners[w.lone_points[bottom] < w.lone_points[top] ? bottom : top];
}
