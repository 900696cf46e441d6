#include "report/report_axes.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "layout/choose_labels.h"
#include "layout/fit_range.h"
#include "layout/tick_labels.h"
#include "report/trace_curve.h"

namespace {

struct Stroke {
  double grey;   // 0 black, 1 white
  double width;  // layout units
};
constexpr Stroke minor_line{0.9, 0.5};
constexpr Stroke tick_line{0.78, 0.6};
constexpr Stroke decade_line{0.62, 0.7};
constexpr Stroke frame_line{0, 1};

constexpr double least_minor_gap = 4;  // layout units between two faint lines

double column(const PlotArea& area, double v) {
  return area.left + along(area.x, v);
}
double row(const PlotArea& area, double v) {
  return area.bottom - along(area.y, v);
}

// A grid line at v on the X (horizontal) or Y axis, where it lies inside.
void grid_line(cairo_t* cr, const PlotArea& area, bool horizontal, double v, Stroke s) {
  double p = horizontal ? column(area, v) : row(area, v);
  bool inside = horizontal ? area.left < p && p < area.right : area.top < p && p < area.bottom;
  if (!std::isfinite(p) || !inside) return;
  cairo_set_source_rgb(cr, s.grey, s.grey, s.grey);
  cairo_set_line_width(cr, s.width);
  if (horizontal) {
    cairo_move_to(cr, p, area.top);
    cairo_line_to(cr, p, area.bottom);
  } else {
    cairo_move_to(cr, area.left, p);
    cairo_line_to(cr, area.right, p);
  }
  cairo_stroke(cr);
}

// The faint lines: on log10 sub_grid parts of each decade (the multiples 2
// to 9 where none are asked for and they have room), on linear sub_grid
// equal parts of the range. Lines closer than least_minor_gap would merge
// into a grey band: such a grid is left out, as is a count beyond the
// lines the span can hold.
void minor_lines(cairo_t* cr, const PlotArea& area, bool horizontal, int sub_grid) {
  const AxisScale& axis = horizontal ? area.x : area.y;
  double span = horizontal ? area.width : area.height;
  if (!axis.log) {
    if (sub_grid <= 1 || span / sub_grid < least_minor_gap) return;
    for (int i = 1; i < sub_grid; ++i) {
      grid_line(cr, area, horizontal, axis.min + (axis.max - axis.min) * i / sub_grid, minor_line);
    }
    return;
  }
  // The multiples crowd most below the next decade.
  double parts = sub_grid > 1 ? sub_grid : 10;
  if (axis.scale * std::log10(parts / (parts - 1)) < least_minor_gap) return;
  int first = static_cast<int>(std::floor(std::log10(axis.min)));
  int last = static_cast<int>(std::ceil(std::log10(axis.max)));
  double most_lines = span / least_minor_gap;
  for (int e = first + 1; e <= last + 1 && e - first < 400; ++e) {
    double decade = std::pow(10.0, e);
    // Only the parts inside the range, and above the decade before (whose
    // own parts those below are), are walked.
    double j_low = std::max(std::ceil(parts / 10), std::ceil(axis.min * parts / decade));
    double j_high = std::min(parts - 1, std::floor(axis.max * parts / decade));
    if (j_high - j_low > most_lines) return;
    for (double j = j_low; j <= j_high; ++j) {
      grid_line(cr, area, horizontal, j * decade / parts, minor_line);
    }
  }
}

void rule_lines(cairo_t* cr, const PlotArea& area, bool horizontal, const TickRule& rule) {
  const AxisScale& axis = horizontal ? area.x : area.y;
  for_each_tick(rule, axis.min, axis.max, [&](double v, int rank) {
    grid_line(cr, area, horizontal, v, axis.log && rank == 0 ? decade_line : tick_line);
  });
}

struct Placed {
  PowerLabel label;
  double x, baseline;  // where the text starts
  double from, to;     // what it covers along its axis
};

// Where a label `width` wide starts, kept inside the picture: a wide number
// centred on a line near an edge would be cut off.
double inside_picture(double x, double width, double picture_width) {
  return std::max(0.0, std::min(x, picture_width - width));
}

Placed place(cairo_t* cr, const ReportFonts& fonts, const PlotArea& area, bool horizontal,
             PowerLabel label, double p, double picture_width) {
  double width = label_width(cr, fonts, label_size, label);
  double cap = cap_height * label_size;
  if (horizontal) {
    double x = inside_picture(p - width / 2, width, picture_width);
    return {std::move(label), x, area.bottom + label_gap + cap, x, x + width};
  }
  double baseline = p + cap / 2;
  double x = inside_picture(area.left - label_gap - width, width, picture_width);
  return {std::move(label), x, baseline, baseline - 1.5 * cap, baseline};
}

void axis_labels(cairo_t* cr, const ReportFonts& fonts, const PlotArea& area, bool horizontal,
                 const TickRule& rule, double picture_width) {
  const AxisScale& axis = horizontal ? area.x : area.y;
  std::vector<Tick> ticks = axis_ticks(rule, axis);
  double low = horizontal ? area.left : area.top, high = horizontal ? area.right : area.bottom;
  auto placed = choose_labels<Placed>(ticks, [&](Tick& t) -> std::optional<Placed> {
    double p = horizontal ? column(area, t.value) : row(area, t.value);
    if (!(low - 1 <= p && p <= high + 1)) return std::nullopt;
    return place(cr, fonts, area, horizontal, std::move(t.label), p, picture_width);
  });
  cairo_set_source_rgb(cr, 0, 0, 0);
  for (const Placed& p : placed) show_label(cr, fonts, label_size, p.x, p.baseline, p.label);
}

}  // namespace

TickRule range_rule(const AxisScale& axis) {
  return given_range_rule(axis.min, axis.max, axis.log);
}

void draw_report_grid(cairo_t* cr, const PlotArea& area, const TickRule& x_rule,
                      const TickRule& y_rule, int sub_grid_x, int sub_grid_y) {
  cairo_rectangle(cr, area.left, area.top, area.width, area.height);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_fill(cr);
  minor_lines(cr, area, true, sub_grid_x);
  minor_lines(cr, area, false, sub_grid_y);
  rule_lines(cr, area, true, x_rule);
  rule_lines(cr, area, false, y_rule);
  cairo_rectangle(cr, area.left, area.top, area.width, area.height);
  cairo_set_source_rgb(cr, frame_line.grey, frame_line.grey, frame_line.grey);
  cairo_set_line_width(cr, frame_line.width);
  cairo_stroke(cr);
}

void draw_report_labels(cairo_t* cr, const ReportFonts& fonts, const PlotArea& area,
                        const TickRule& x_rule, const TickRule& y_rule, bool x_labels,
                        double picture_width) {
  if (x_labels) axis_labels(cr, fonts, area, true, x_rule, picture_width);
  axis_labels(cr, fonts, area, false, y_rule, picture_width);
}
