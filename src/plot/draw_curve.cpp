#include "plot/draw_curve.h"

#include <algorithm>
#include <cstdlib>

#include "plot/drawn_segments.h"

namespace {

// Shorter segments are drawn again rather than looked up: drawing them costs
// about as much as the lookup, and their pixels are bounded per point anyway.
constexpr int64_t remembered_from = 32;

struct Clip {
  int x1, y1, x2, y2;
};

bool inside(const Clip& c, int32_t x, int32_t y) {
  return c.x1 <= x && x <= c.x2 && c.y1 <= y && y <= c.y2;
}

int64_t length(const Segment& s) {
  return std::max(std::abs(int64_t{s.x2} - s.x1), std::abs(int64_t{s.y2} - s.y1));
}

// The form under which a segment is remembered. libgd draws a segment inside
// the clipping rectangle the same way in both directions, so such segments
// are keyed by their ends in order; a clipped one rounds its cut ends
// depending on direction, so it keeps its own.
Segment key_of(const Segment& s, const Clip& c) {
  if (!inside(c, s.x1, s.y1) || !inside(c, s.x2, s.y2)) return s;
  if (s.x1 < s.x2 || (s.x1 == s.x2 && s.y1 <= s.y2)) return s;
  return Segment{s.x2, s.y2, s.x1, s.y1};
}

// One gdImageLine, unless the same pixels were already drawn.
void draw_once(gdImagePtr im, const Segment& s, int color, const Clip& c, DrawnSegments& drawn) {
  if (length(s) >= remembered_from && !drawn.first_time(key_of(s, c))) return;
  gdImageLine(im, s.x1, s.y1, s.x2, s.y2, color);
}

}  // namespace

// The vertices are walked as runs of one pixel column each. Within a run the
// segments are vertical and chained, so together they cover exactly the rows
// from the run's lowest to its highest vertex, which one vertical line draws
// (clipped as each of them would be). Between runs each segment is drawn as
// is. A dense response thus costs a span per column instead of a line per
// point, and a curve swinging back and forth draws each long line once.
void draw_curve(gdImagePtr im, const VertexList& v, int color) {
  if (v.size() < 2) return;
  Clip c;
  gdImageGetClip(im, &c.x1, &c.y1, &c.x2, &c.y2);
  DrawnSegments drawn;
  size_t start = 0;
  while (start < v.size()) {
    int32_t x = v[start].x, lo = v[start].y, hi = v[start].y;
    size_t end = start + 1;
    for (; end < v.size() && v[end].x == x; ++end) {
      lo = std::min(lo, v[end].y);
      hi = std::max(hi, v[end].y);
    }
    if (start > 0) draw_once(im, {v[start - 1].x, v[start - 1].y, x, v[start].y}, color, c, drawn);
    // A curve that never moves still gets its one pixel.
    if (lo != hi || (start == 0 && end == v.size())) draw_once(im, {x, lo, x, hi}, color, c, drawn);
    start = end;
  }
}
