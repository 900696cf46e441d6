#include "report/report_axes.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "layout/choose_labels.h"
#include "layout/fit_range.h"
#include "layout/tick_labels.h"
#include "report/band_view.h"
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
constexpr Stroke major_tick{0, 1};
constexpr Stroke minor_tick{0, 0.8};

constexpr double least_minor_gap = 4;  // layout units between two faint lines

double column(const PlotArea& area, double v) {
  return area.left + along(area.x, v);
}
double row(const PlotArea& area, double v) {
  return area.bottom - along(area.y, v);
}

// A line across an axis: at a column (X) or row (Y), from..to along it.
struct Line {
  double at, from, to;
};

// The grid line at v on the X (horizontal) or Y axis, where it lies inside.
void add_grid_line(const PlotArea& area, bool horizontal, double v, std::vector<Line>& lines) {
  double p = horizontal ? column(area, v) : row(area, v);
  bool inside = horizontal ? area.left < p && p < area.right : area.top < p && p < area.bottom;
  if (!std::isfinite(p) || !inside) return;
  double top = area.top, bottom = area.bottom, left = area.left, right = area.right;
  lines.push_back(horizontal ? Line{p, top, bottom} : Line{p, left, right});
}

// Lines of one style across one axis go in one stroke where no two can
// share a pixel: the pixels are then those of a stroke each, and cairo's
// work for a stroke, some 10 us, is paid once rather than a hundred times
// a panel. Lines closer than that, as on a crowded linear grid, are
// stroked one by one, overlaps and all, as they always were.
void stroke_lines(cairo_t* cr, bool horizontal, const std::vector<Line>& lines, Stroke s) {
  cairo_set_source_rgb(cr, s.grey, s.grey, s.grey);
  cairo_set_line_width(cr, s.width);
  double dx = 1, dy = 1;
  cairo_user_to_device_distance(cr, &dx, &dy);
  double pixels = std::fabs(horizontal ? dx : dy);  // per layout unit across the lines
  std::vector<double> at;
  for (const Line& l : lines) at.push_back(l.at);
  std::sort(at.begin(), at.end());
  bool apart = true;
  for (size_t i = 1; i < at.size(); ++i)
    apart = apart && (at[i] - at[i - 1] - s.width) * pixels >= 2;
  bool any = false;
  for (const Line& l : lines) {
    // A band of a picture strokes only the lines across its rows: the
    // others mark none of its pixels, in one path or alone.
    double top = horizontal ? std::min(l.from, l.to) : l.at,
           bottom = horizontal ? std::max(l.from, l.to) : l.at;
    if (!rows_show(cr, top - s.width / 2, bottom + s.width / 2)) continue;
    any = true;
    cairo_move_to(cr, horizontal ? l.at : l.from, horizontal ? l.from : l.at);
    cairo_line_to(cr, horizontal ? l.at : l.to, horizontal ? l.to : l.at);
    if (!apart) cairo_stroke(cr);
  }
  if (apart && any) cairo_stroke(cr);
}

// The faint lines' values: on log10 sub_grid parts of each decade (the
// multiples 2 to 9 where none are asked for and they have room), on linear
// sub_grid equal parts of the range. Lines closer than least_minor_gap
// would merge into a grey band: such a grid is left out, as is a count
// beyond the lines the span can hold.
template <class Visit>
void for_each_minor(const PlotArea& area, bool horizontal, int sub_grid, Visit visit) {
  const AxisScale& axis = horizontal ? area.x : area.y;
  double span = horizontal ? area.width : area.height;
  if (!axis.log) {
    if (sub_grid <= 1 || span / sub_grid < least_minor_gap) return;
    for (int i = 1; i < sub_grid; ++i) visit(axis.min + (axis.max - axis.min) * i / sub_grid);
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
    for (double j = j_low; j <= j_high; ++j) visit(j * decade / parts);
  }
}

void minor_lines(cairo_t* cr, const PlotArea& area, bool horizontal, int sub_grid) {
  std::vector<Line> lines;
  for_each_minor(area, horizontal, sub_grid,
                 [&](double v) { add_grid_line(area, horizontal, v, lines); });
  stroke_lines(cr, horizontal, lines, minor_line);
}

void rule_lines(cairo_t* cr, const PlotArea& area, bool horizontal, const TickRule& rule) {
  const AxisScale& axis = horizontal ? area.x : area.y;
  TickRule power = power_rule(rule, axis);
  for (bool decades : {true, false}) {
    std::vector<Line> lines;
    for_each_tick(power, axis.min, axis.max, [&](double v, int rank) {
      if ((axis.log && rank == 0) == decades) add_grid_line(area, horizontal, v, lines);
    });
    stroke_lines(cr, horizontal, lines, decades ? decade_line : tick_line);
  }
}

// A tick at a range's end lies on the frame's corner, a hair outside the
// area as the scale rounds.
constexpr double tick_slack = 0.5;

// An outward tick at v on the bottom (X) or left (Y) edge of the frame.
void add_tick_mark(const PlotArea& area, bool horizontal, double v, double length,
                   std::vector<Line>& lines) {
  double p = horizontal ? column(area, v) : row(area, v);
  double low = horizontal ? area.left : area.top, high = horizontal ? area.right : area.bottom;
  if (!std::isfinite(p) || !(low - tick_slack <= p && p <= high + tick_slack)) return;
  double bottom = area.bottom, left = area.left;
  lines.push_back(horizontal ? Line{p, bottom, bottom + length} : Line{p, left, left - length});
}

// The minor ticks of a linear axis without a sub-grid: fifths of a step
// of 1 or 5 times a power of ten, quarters of one of 2 or 2.5, so that
// they fall on round values.
void linear_minor_ticks(const PlotArea& area, bool horizontal, const TickRule& rule,
                        std::vector<Line>& lines) {
  const AxisScale& axis = horizontal ? area.x : area.y;
  if (!walks_steps(rule) || !(rule.step > 0)) return;
  double leading = rule.step / std::pow(10.0, std::floor(std::log10(rule.step)));
  bool fifths = std::fabs(leading - 1) < 0.01 || std::fabs(leading - 5) < 0.01;
  long long parts = fifths ? 5 : 4;
  double minor = rule.step / static_cast<double>(parts);
  if (axis.scale * minor < least_minor_gap) return;
  double first = std::ceil(axis.min / minor), last = std::floor(axis.max / minor);
  for (long long k = 0; k < most_linear_lines && first + static_cast<double>(k) <= last; ++k) {
    long long index = static_cast<long long>(first) + k;
    if (index % parts == 0) continue;  // a major tick's place
    add_tick_mark(area, horizontal, static_cast<double>(index) * minor, report_minor_tick_length,
                  lines);
  }
}

// Major ticks at the rule's lines, minor ones at the faint lines' places,
// drawn whether the faint lines are or not.
void tick_marks(cairo_t* cr, const PlotArea& area, bool horizontal, const TickRule& rule,
                int sub_grid) {
  const AxisScale& axis = horizontal ? area.x : area.y;
  std::vector<Line> major, minor;
  for_each_tick(power_rule(rule, axis), axis.min, axis.max, [&](double v, int) {
    add_tick_mark(area, horizontal, v, report_tick_length, major);
  });
  stroke_lines(cr, horizontal, major, major_tick);
  if (!axis.log && sub_grid <= 1) {
    linear_minor_ticks(area, horizontal, rule, minor);
  } else {
    for_each_minor(area, horizontal, sub_grid, [&](double v) {
      add_tick_mark(area, horizontal, v, report_minor_tick_length, minor);
    });
  }
  stroke_lines(cr, horizontal, minor, minor_tick);
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

// Labels stand clear of the outward ticks.
constexpr double label_offset = report_tick_length + report_label_pad;

Placed place(cairo_t* cr, const ReportFonts& fonts, const PlotArea& area, bool horizontal,
             PowerLabel label, double p, double picture_width) {
  double width = label_width(cr, fonts, label_size, label);
  double cap = cap_height * label_size;
  if (horizontal) {
    double x = inside_picture(p - width / 2, width, picture_width);
    double baseline = area.bottom + label_offset + label_rise(cr, fonts, label_size);
    return {std::move(label), x, baseline, x, x + width};
  }
  double baseline = p + cap / 2;
  double x = inside_picture(area.left - label_offset - width, width, picture_width);
  return {std::move(label), x, baseline, baseline - 1.5 * cap, baseline};
}

void axis_labels(cairo_t* cr, const ReportFonts& fonts, const PlotArea& area, bool horizontal,
                 const TickRule& rule, double picture_width) {
  const AxisScale& axis = horizontal ? area.x : area.y;
  std::vector<Tick> ticks = power_ticks(rule, axis);
  double low = horizontal ? area.left : area.top, high = horizontal ? area.right : area.bottom;
  auto place_tick = [&](Tick& t) -> std::optional<Placed> {
    double p = horizontal ? column(area, t.value) : row(area, t.value);
    if (!(low - 1 <= p && p <= high + 1)) return std::nullopt;
    return place(cr, fonts, area, horizontal, std::move(t.label), p, picture_width);
  };
  TickRule lines = power_rule(rule, axis);
  auto placed = !axis.log && walks_steps(lines)
                    ? choose_even_labels<Placed>(ticks, lines.step, place_tick)
                    : choose_labels<Placed>(ticks, place_tick);
  cairo_set_source_rgb(cr, 0, 0, 0);
  for (const Placed& p : placed) show_label(cr, fonts, label_size, p.x, p.baseline, p.label);
}

}  // namespace

TickRule range_rule(const AxisScale& axis) {
  return given_range_rule(axis.min, axis.max, axis.log);
}

void draw_report_grid(cairo_t* cr, const PlotArea& area, const TickRule& x_rule,
                      const TickRule& y_rule, int sub_grid_x, int sub_grid_y) {
  constexpr double reach = report_tick_length + 2;  // the outward ticks, stroked
  if (!rows_show(cr, area.top - reach, area.bottom + reach)) return;
  // The area is not filled: the page is painted white first, and nothing
  // is drawn inside an area before its grid (filling it cost an 800x600
  // picture a tenth of its drawing).
  minor_lines(cr, area, true, sub_grid_x);
  minor_lines(cr, area, false, sub_grid_y);
  rule_lines(cr, area, true, x_rule);
  rule_lines(cr, area, false, y_rule);
  cairo_rectangle(cr, area.left, area.top, area.width, area.height);
  cairo_set_source_rgb(cr, frame_line.grey, frame_line.grey, frame_line.grey);
  cairo_set_line_width(cr, frame_line.width);
  cairo_stroke(cr);
  tick_marks(cr, area, true, x_rule, sub_grid_x);
  tick_marks(cr, area, false, y_rule, sub_grid_y);
}

void draw_report_labels(cairo_t* cr, const ReportFonts& fonts, const PlotArea& area,
                        const TickRule& x_rule, const TickRule& y_rule, bool x_labels,
                        double picture_width) {
  // The baselines' rows, generously: below the ticks, a raised exponent's
  // rise at most a size above the font's own.
  double below = area.bottom + label_offset + (fonts.reach_up() + 1) * label_size;
  if (x_labels && text_shows(cr, fonts, label_size, area.bottom, below)) {
    axis_labels(cr, fonts, area, true, x_rule, picture_width);
  }
  if (text_shows(cr, fonts, label_size, area.top - 1 - label_size, area.bottom + 1 + label_size)) {
    axis_labels(cr, fonts, area, false, y_rule, picture_width);
  }
}
