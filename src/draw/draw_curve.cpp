#include "draw/draw_curve.h"

#include <algorithm>
#include <cstdlib>

#include "draw/drawn_segments.h"

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

// The vertices from v[first] up to (not including) v[end], all in one column,
// and the rows their segments cover.
struct Run {
  size_t end;
  int32_t x, lo, hi;
};

Run run_from(std::span<const PixelPoint> v, size_t first) {
  Run r{first + 1, v[first].x, v[first].y, v[first].y};
  for (; r.end < v.size() && v[r.end].x == r.x; ++r.end) {
    r.lo = std::min(r.lo, v[r.end].y);
    r.hi = std::max(r.hi, v[r.end].y);
  }
  return r;
}

bool covers(const Run& r, int32_t from, int32_t to) {
  return r.lo != r.hi && r.lo <= std::min(from, to) && std::max(from, to) <= r.hi;
}

// A segment between neighbouring columns, unclipped, keeps to the rows
// between its ends in those two columns: when both runs' spans hold those
// rows, it adds nothing. Dense curves with big swings are mostly such.
bool hidden(const Run& a, const Run& b, const Segment& s, const Clip& c) {
  if (int64_t{b.x} - a.x != 1 && int64_t{a.x} - b.x != 1) return false;
  if (!inside(c, s.x1, s.y1) || !inside(c, s.x2, s.y2)) return false;
  return covers(a, s.y1, s.y2) && covers(b, s.y1, s.y2);
}

}  // namespace

// The vertices are walked as runs of one pixel column each. Within a run the
// segments are vertical and chained, so together they cover exactly the rows
// from the run's lowest to its highest vertex, which one vertical line draws
// (clipped as each of them would be). Between runs each segment is drawn as
// is, unless the spans already hold it. A dense response thus costs a span
// per column instead of a line per point, and a curve swinging back and
// forth draws each long line once.
void draw_curve(gdImagePtr im, std::span<const PixelPoint> v, int color) {
  if (v.size() < 2) return;
  Clip c;
  gdImageGetClip(im, &c.x1, &c.y1, &c.x2, &c.y2);
  DrawnSegments drawn;
  Run prev{};
  for (size_t first = 0; first < v.size();) {
    Run r = run_from(v, first);
    if (first > 0) {
      Segment s{v[first - 1].x, v[first - 1].y, r.x, v[first].y};
      if (!hidden(prev, r, s, c)) draw_once(im, s, color, c, drawn);
    }
    // A curve that never moves still gets its one pixel.
    if (r.lo != r.hi || (first == 0 && r.end == v.size())) {
      draw_once(im, {r.x, r.lo, r.x, r.hi}, color, c, drawn);
    }
    prev = r;
    first = r.end;
  }
}
