#include "report/report_curves.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "layout/lone_point.h"
#include "report/band_view.h"

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

// Where a stroke can still mark the surface, in user space: the clip's
// extents (a band of a picture, or all of it) widened by the stroke's reach.
struct View {
  double left, top, right, bottom;
};

View view_of(cairo_t* cr, double reach) {
  View v;
  cairo_clip_extents(cr, &v.left, &v.top, &v.right, &v.bottom);
  return {v.left - reach, v.top - reach, v.right + reach, v.bottom + reach};
}

// Whether any of the vertices' strokes can reach the view: a piece that
// cannot is its own stroke, so leaving it out changes no pixel, and a
// picture drawn in bands builds each piece's path only where it shows.
bool reaches(std::span<const Vertex> piece, const View& view) {
  double left = piece[0].x, right = left, top = piece[0].y, bottom = top;
  for (Vertex p : piece) {
    left = std::min(left, p.x), right = std::max(right, p.x);
    top = std::min(top, p.y), bottom = std::max(bottom, p.y);
  }
  return left <= view.right && right >= view.left && top <= view.bottom && bottom >= view.top;
}

void stroke_runs(cairo_t* cr, const TracedCurve& curve, size_t piece, const View& view) {
  std::span<const Vertex> all(curve.vertices);
  size_t start = 0;
  for (size_t end : curve.ends) {
    std::span<const Vertex> run = all.subspan(start, end - start);
    start = end;
    if (run.size() == 1) {
      Vertex p = run[0];
      View near{view.left - cross_arm, view.top - cross_arm, view.right + cross_arm,
                view.bottom + cross_arm};
      if (!reaches(run, near)) continue;
      cairo_move_to(cr, p.x - cross_arm, p.y - cross_arm);
      cairo_line_to(cr, p.x + cross_arm, p.y + cross_arm);
      cairo_move_to(cr, p.x - cross_arm, p.y + cross_arm);
      cairo_line_to(cr, p.x + cross_arm, p.y - cross_arm);
      cairo_stroke(cr);
      continue;
    }
    for (size_t i = 0; i + 1 < run.size();) {
      size_t last = run.size() - 1 - i > piece ? i + piece : run.size() - 1;
      if (!reaches(run.subspan(i, last - i + 1), view)) {
        i = last;
        continue;
      }
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
cairo_surface_t* plot_dense(const PlotArea& area, const TracedCurve& curve, double pixels) {
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
  return mask;
}

void paint_dense(cairo_t* cr, const PlotArea& area, const TracedCurve& curve, const Rgb& color,
                 double pixels, DenseMask& mask) {
  if (mask.surface == nullptr) mask.surface = plot_dense(area, curve, pixels);
  cairo_set_source_rgb(cr, color.red / 255.0, color.green / 255.0, color.blue / 255.0);
  cairo_translate(cr, area.left, area.top);
  cairo_scale(cr, 1 / pixels, 1 / pixels);
  cairo_mask_surface(cr, mask.surface, 0, 0);
}

// A raster's clip is whole pixels: cairo draws a curve under a clip that
// cuts pixels a level apart depending on where the surface ends, and a
// picture drawn in bands must be the picture drawn whole.
void clip_to_area(cairo_t* cr, const PlotArea& area, bool vector) {
  if (vector) {
    cairo_rectangle(cr, area.left, area.top, area.width, area.height);
    cairo_clip(cr);
    return;
  }
  double left = area.left, top = area.top, right = area.right, bottom = area.bottom;
  cairo_user_to_device(cr, &left, &top);
  cairo_user_to_device(cr, &right, &bottom);
  cairo_matrix_t user;
  cairo_get_matrix(cr, &user);
  cairo_identity_matrix(cr);
  left = std::round(left), top = std::round(top);
  right = std::round(right), bottom = std::round(bottom);
  cairo_rectangle(cr, left, top, right - left, bottom - top);
  cairo_set_matrix(cr, &user);
  cairo_clip(cr);
}

}  // namespace

void stroke_curve(cairo_t* cr, const PlotArea& area, const TracedCurve& curve, const Rgb& color,
                  double pixels, bool vector, double width, DenseMask& mask) {
  if (!rows_show(cr, area.top, area.bottom)) return;  // it is clipped to the area
  cairo_save(cr);
  clip_to_area(cr, area, vector);
  if (dense(curve, pixels)) {
    paint_dense(cr, area, curve, color, pixels, mask);
  } else {
    set_style(cr, color, width);
    // A vector file is not rasterized here: its runs stay whole, one path
    // each, which keeps the file small, and all of them are written.
    constexpr double everywhere = HUGE_VAL;
    stroke_runs(cr, curve, vector ? SIZE_MAX : piece,
                view_of(cr, vector ? everywhere : width / 2 + 1));
  }
  cairo_restore(cr);
}
