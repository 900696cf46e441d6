#include "report/report_legend.h"

#include <algorithm>
#include <string>

#include "layout/legend_corner.h"
#include "layout/report_room.h"
#include "report/band_view.h"
#include "report/report_curves.h"

namespace {

// Layout units, in proportion to the text.
constexpr double legend_size = report_legend_size;
constexpr double inset = 10;  // between the area's edges and the box
constexpr double padding = 7;
constexpr double sample_length = 26;
constexpr double sample_gap = 7;
constexpr double row_height = 18;
constexpr double sample_width = report_curve_width;
// A light box: the grid shows faintly through it, its edge is a thin grey.
constexpr double box_opacity = 0.8;
constexpr double edge_grey = 0.7;
constexpr double edge_width = 0.8;

struct Box {
  double x, y, width, height;
};

Box box_at(const PlotArea& area, double width, double height, LegendCorner corner) {
  bool left = corner == LegendCorner::top_left || corner == LegendCorner::bottom_left;
  bool bottom = corner == LegendCorner::bottom_left || corner == LegendCorner::bottom_right;
  double x = left ? area.left + inset : area.right - inset - width;
  double y = bottom ? area.bottom - inset - height : area.top + inset;
  return {x, y, width, height};
}

// The corner LEGEND=AUTO takes for a box of that size, from the curves as
// traced: each run's length under each corner, a run of one vertex a lone
// point.
LegendCorner weighed_corner(const PlotArea& area, double width, double height,
                            const std::vector<TracedCurve>& traced, double line_width) {
  CornerWeights weights;
  for (LegendCorner corner : {LegendCorner::top_right, LegendCorner::top_left,
                              LegendCorner::bottom_right, LegendCorner::bottom_left}) {
    Box b = box_at(area, width, height, corner);
    weights.boxes[corner_index(corner)] = {b.x, b.y, b.x + b.width, b.y + b.height};
  }
  for (const TracedCurve& c : traced) {
    size_t start = 0;
    for (size_t end : c.ends) {
      if (end - start == 1) {
        // A wide stroke's cross reaches beyond its arms.
        weigh_lone_point(weights, c.vertices[start].x, c.vertices[start].y,
                         lone_point_arm + line_width / 2);
      }
      for (size_t i = start + 1; i < end; ++i) {
        const Vertex &from = c.vertices[i - 1], &to = c.vertices[i];
        weigh_segment(weights, from.x, from.y, to.x, to.y);
      }
      start = end;
    }
  }
  return automatic_corner(weights);
}

}  // namespace

void draw_report_legend(cairo_t* cr, const ReportFonts& fonts, const PlotArea& area,
                        const Legend& legend, const CurveList& curves,
                        const std::vector<TracedCurve>& traced, double line_width,
                        LegendCorner corner) {
  // The box is in a corner of the area, as tall as its rows.
  double rows = 2 * padding + static_cast<double>(legend.size()) * row_height;
  if (legend.empty() || !rows_show(cr, area.top - rows - inset, area.bottom + rows + inset)) return;
  double room = area.width - 2 * inset - 2 * padding - sample_length - sample_gap;
  std::vector<std::string> names;
  double widest = 0;
  for (const LegendEntry& e : legend) {
    names.push_back(fitted_text(cr, fonts, {legend_size}, valid_text(e.name), room));
    widest = std::max(widest, text_width(cr, fonts, {legend_size}, names.back()));
  }
  double width = 2 * padding + sample_length + sample_gap + widest;
  double height = 2 * padding + static_cast<double>(names.size()) * row_height;
  if (corner == LegendCorner::automatic) {
    corner = weighed_corner(area, width, height, traced, line_width);
  }
  Box box = box_at(area, width, height, corner);
  cairo_rectangle(cr, box.x, box.y, box.width, box.height);
  cairo_set_source_rgba(cr, 1, 1, 1, box_opacity);
  cairo_fill_preserve(cr);
  cairo_set_source_rgb(cr, edge_grey, edge_grey, edge_grey);
  cairo_set_line_width(cr, edge_width);
  cairo_stroke(cr);
  for (size_t i = 0; i < names.size(); ++i) {
    double middle = box.y + padding + (static_cast<double>(i) + 0.5) * row_height;
    const Rgb& c = curves[legend[i].curve].color;
    cairo_set_source_rgb(cr, c.red / 255.0, c.green / 255.0, c.blue / 255.0);
    cairo_set_line_width(cr, sample_width);
    cairo_move_to(cr, box.x + padding, middle);
    cairo_line_to(cr, box.x + padding + sample_length, middle);
    cairo_stroke(cr);
    cairo_set_source_rgb(cr, 0, 0, 0);
    show_text(cr, fonts, {legend_size}, box.x + padding + sample_length + sample_gap,
              middle + cap_height * legend_size / 2, names[i]);
  }
}
