#include "report/report_curves.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "layout/lone_point.h"

namespace {

constexpr double cross_arm = lone_point_arm;
// cairo's stroker slows with the crossings within one path, and a thinned
// noisy curve crosses itself in every column: it is stroked in pieces of
// this many segments (their overlaps are painted in the same opaque colour).
constexpr size_t piece = 16;
// cairo walks every row each segment spans; past this many rows in all, a
// curve (frequencies out of order, crossing the plot again and again) is
// drawn as a dense one. A thinned curve in order spans far fewer.
constexpr double dense_rows = 1e7;

bool dense(const TracedCurve& curve, double pixels) {
  double rows = 0;
  for (size_t i = 1; i < curve.vertices.size(); ++i) {
    rows += std::abs(curve.vertices[i].y - curve.vertices[i - 1].y);
  }
  return rows * pixels > dense_rows;
}

void set_style(cairo_t* cr, const Rgb& c, double width) {
  cairo_set_source_rgb(cr, c.red / 255.0, c.green / 255.0, c.blue / 255.0);
  cairo_set_line_width(cr, width);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
}

void stroke_runs(cairo_t* cr, const TracedCurve& curve, size_t piece) {
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
    for (size_t i = 0; i + 1 < run.size();) {
      size_t last = run.size() - 1 - i > piece ? i + piece : run.size() - 1;
      cairo_move_to(cr, run[i].x, run[i].y);
      for (size_t k = i + 1; k <= last; ++k) cairo_line_to(cr, run[k].x, run[k].y);
      i = last;
      cairo_stroke(cr);
    }
  }
}

// One-pixel line from a to b, in mask pixels, clipped to the mask.
void plot_line(unsigned char* mask, int stride, int width, int height, Vertex a, Vertex b) {
  auto x0 = static_cast<int64_t>(std::lround(a.x)), y0 = static_cast<int64_t>(std::lround(a.y));
  auto x1 = static_cast<int64_t>(std::lround(b.x)), y1 = static_cast<int64_t>(std::lround(b.y));
  int64_t dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
  int64_t sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1, error = dx + dy;
  for (;;) {
    if (0 <= x0 && x0 < width && 0 <= y0 && y0 < height) mask[y0 * stride + x0] = 0xFF;
    if (x0 == x1 && y0 == y1) return;
    int64_t e2 = 2 * error;
    if (e2 >= dy) error += dy, x0 += sx;
    if (e2 <= dx) error += dx, y0 += sy;
  }
}

// Anti-aliasing every segment of a dense curve would take minutes (cairo
// walks each row a segment spans), and a vector file would hold every one:
// it is drawn as today's pictures draw it, in one-pixel lines, into a mask
// of the area at `pixels` per layout unit, through which its colour is
// then painted.
void paint_dense(cairo_t* cr, const PlotArea& area, const TracedCurve& curve, const Rgb& color,
                 double pixels) {
  int width = static_cast<int>(std::ceil(area.width * pixels));
  int height = static_cast<int>(std::ceil(area.height * pixels));
  cairo_surface_t* mask = cairo_image_surface_create(CAIRO_FORMAT_A8, width, height);
  unsigned char* data = cairo_image_surface_get_data(mask);
  if (data != nullptr) {
    int stride = cairo_image_surface_get_stride(mask);
    auto to_mask = [&](Vertex v) {
      return Vertex{(v.x - area.left) * pixels, (v.y - area.top) * pixels};
    };
    std::span<const Vertex> all(curve.vertices);
    size_t start = 0;
    for (size_t end : curve.ends) {
      for (size_t i = start; i + 1 < end; ++i) {
        plot_line(data, stride, width, height, to_mask(all[i]), to_mask(all[i + 1]));
      }
      if (end - start == 1) {
        plot_line(data, stride, width, height, to_mask(all[start]), to_mask(all[start]));
      }
      start = end;
    }
    cairo_surface_mark_dirty(mask);
  }
  cairo_set_source_rgb(cr, color.red / 255.0, color.green / 255.0, color.blue / 255.0);
  cairo_translate(cr, area.left, area.top);
  cairo_scale(cr, 1 / pixels, 1 / pixels);
  cairo_mask_surface(cr, mask, 0, 0);
  cairo_surface_destroy(mask);
}

}  // namespace

void stroke_curve(cairo_t* cr, const PlotArea& area, const TracedCurve& curve, const Rgb& color,
                  double pixels, bool vector, double width) {
  cairo_save(cr);
  cairo_rectangle(cr, area.left, area.top, area.width, area.height);
  cairo_clip(cr);
  if (dense(curve, pixels)) {
    paint_dense(cr, area, curve, color, pixels);
  } else {
    set_style(cr, color, width);
    // A vector file is not rasterized here: its runs stay whole, one path
    // each, which keeps the file small.
    stroke_runs(cr, curve, vector ? SIZE_MAX : piece);
  }
  cairo_restore(cr);
}
