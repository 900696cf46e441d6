#include "report/report_legend.h"

#include <algorithm>
#include <string>

namespace {

constexpr double legend_size = 11;  // its text, layout units
constexpr double inset = 10;        // between the area's edges and the box
constexpr double padding = 6;
constexpr double sample_length = 22;
constexpr double sample_gap = 6;
constexpr double row_height = 15;
constexpr double sample_width = 1.4;

struct Box {
  double x, y, width, height;
  bool holds(const Vertex& v) const {
    return x <= v.x && v.x <= x + width && y <= v.y && v.y <= y + height;
  }
};

Box box_at(const PlotArea& area, double width, double height, LegendCorner corner) {
  bool left = corner == LegendCorner::top_left || corner == LegendCorner::bottom_left;
  bool bottom = corner == LegendCorner::bottom_left || corner == LegendCorner::bottom_right;
  double x = left ? area.left + inset : area.right - inset - width;
  double y = bottom ? area.bottom - inset - height : area.top + inset;
  return {x, y, width, height};
}

size_t covered(const Box& box, const std::vector<TracedCurve>& traced) {
  size_t n = 0;
  for (const TracedCurve& c : traced) {
    n += static_cast<size_t>(std::count_if(c.vertices.begin(), c.vertices.end(),
                                           [&](const Vertex& v) { return box.holds(v); }));
  }
  return n;
}

}  // namespace

void draw_report_legend(cairo_t* cr, const ReportFonts& fonts, const PlotArea& area,
                        const Legend& legend, const CurveList& curves,
                        const std::vector<TracedCurve>& traced, LegendCorner corner) {
  if (legend.empty()) return;
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
    Box right = box_at(area, width, height, LegendCorner::top_right);
    Box left = box_at(area, width, height, LegendCorner::top_left);
    corner = covered(left, traced) < covered(right, traced) ? LegendCorner::top_left
                                                            : LegendCorner::top_right;
  }
  Box box = box_at(area, width, height, corner);
  cairo_rectangle(cr, box.x, box.y, box.width, box.height);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.9);
  cairo_fill_preserve(cr);
  cairo_set_source_rgb(cr, 0.5, 0.5, 0.5);
  cairo_set_line_width(cr, 0.6);
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
