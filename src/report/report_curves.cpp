#include "report/report_curves.h"

#include <algorithm>
#include <span>

namespace {

constexpr double curve_width = 1.4;  // layout units
constexpr double cross_arm = 3;
// cairo's stroker slows with the crossings within one path, and a thinned
// noisy curve crosses itself in every column: it is stroked in pieces of
// this many segments (their overlaps are painted in the same opaque colour).
constexpr size_t piece = 16;

void set_color(cairo_t* cr, const Rgb& c) {
  cairo_set_source_rgb(cr, c.red / 255.0, c.green / 255.0, c.blue / 255.0);
}

}  // namespace

void stroke_curve(cairo_t* cr, const PlotArea& area, const TracedCurve& curve, const Rgb& color) {
  cairo_save(cr);
  cairo_rectangle(cr, area.left, area.top, area.width, area.height);
  cairo_clip(cr);
  set_color(cr, color);
  cairo_set_line_width(cr, curve_width);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  std::span<const Vertex> all(curve.vertices);
  size_t start = 0;
  for (size_t end : curve.ends) {
    std::span<const Vertex> run = all.subspan(start, end - start);
    start = end;
    if (run.size() == 1) {
      Vertex p = run[0];
      cairo_move_to(cr, p.x - cross_arm, p.y - cross_arm);
      cairo_line_to(cr, p.x + cross_arm, p.y + cross_arm);
      cairo_move_to(cr, p.x - cross_arm, p.y + cross_arm);
      cairo_line_to(cr, p.x + cross_arm, p.y - cross_arm);
      cairo_stroke(cr);
      continue;
    }
    for (size_t i = 0; i + 1 < run.size(); i += piece) {
      cairo_move_to(cr, run[i].x, run[i].y);
      for (size_t k = i + 1; k <= std::min(i + piece, run.size() - 1); ++k) {
        cairo_line_to(cr, run[k].x, run[k].y);
      }
      cairo_stroke(cr);
    }
  }
  cairo_restore(cr);
}
