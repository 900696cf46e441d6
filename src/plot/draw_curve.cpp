#include "plot/draw_curve.h"

// A segment onto the vertex just reached adds no pixel, so repeats are
// skipped; a curve that never moves still gets its one pixel.
void draw_curve(gdImagePtr im, const VertexList& v, int color) {
  if (v.size() < 2) return;
  size_t from = 0;
  for (size_t i = 1; i < v.size(); ++i) {
    if (v[i].x == v[from].x && v[i].y == v[from].y) continue;
    gdImageLine(im, v[from].x, v[from].y, v[i].x, v[i].y, color);
    from = i;
  }
  if (from == 0) gdImageLine(im, v[0].x, v[0].y, v[0].x, v[0].y, color);
}
