#include "draw/draw_picture.h"

#include <gd.h>

#include <new>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "core/fail.h"
#include "core/messages.h"
#include "draw/axis_grid.h"
#include "draw/draw_curve.h"
#include "draw/draw_text.h"
#include "draw/fill_area.h"
#include "draw/fit_axis.h"
#include "draw/legend.h"
#include "draw/names_apart.h"
#include "draw/x_labels.h"
#include "draw/y_labels.h"
#include "fonts/fonts.h"
#include "layout/axis_names.h"
#include "layout/clip_to_area.h"
#include "layout/guide_lines.h"
#include "layout/legend_corner.h"
#include "layout/lone_point.h"
#include "layout/map_to_area.h"
#include "layout/phase_panel.h"
#include "layout/pixel_point.h"
#include "layout/sensitivity_mark.h"
#include "layout/to_pixel.h"

namespace {

constexpr int caption_top = 10;
constexpr int dim_x_above_bottom = 20;  // the X axis name's top, from the image's bottom edge

struct Palette {
  int white, black, red, blue, light_grey, pale_blue;
};

// The allocation order fixes the palette indices 0 to 5 in the file.
Palette allocate_palette(gdImagePtr im) {
  Palette p;
  p.white = gdImageColorAllocate(im, 255, 255, 255);
  p.black = gdImageColorAllocate(im, 0, 0, 0);
  p.red = gdImageColorAllocate(im, 255, 0, 0);
  p.blue = gdImageColorAllocate(im, 0, 0, 255);
  p.light_grey = gdImageColorAllocate(im, 230, 230, 230);
  p.pale_blue = gdImageColorAllocate(im, 230, 230, 255);
  return p;
}

int text_width(const char* text, const gdFont& font) {
  return static_cast<int>(text_cells(text)) * font.w;
}

// An upright axis name centred between rows `top` and `bottom`.
void draw_upright_name(gdImagePtr im, int black, const char* name, int top, int bottom) {
  if (name[0] == '\0') return;
  draw_text_up(im, font8x16, axis_name_left, floor_half(top + bottom + text_width(name, font8x16)),
               name, black);
}

// The cells of an upright name that fit its rows.
size_t rows_cells(const UprightName& n) {
  return static_cast<size_t>((n.bottom - n.top) / font8x16.w);
}

// In a fitted picture with several panels each axis name keeps to the rows
// of its own area, cut with "..." where longer, so that no two overlap; two
// names that would be cut alike keep what tells them apart.
std::vector<std::string> shown_names(const std::vector<UprightName>& names) {
  std::vector<std::string> shown;
  for (const UprightName& n : names) {
    shown.push_back(n.keep_to_rows ? shortened(n.text, rows_cells(n)) : n.text);
  }
  for (size_t i = 0; i < names.size(); ++i) {
    for (size_t j = i + 1; j < names.size(); ++j) {
      if (!names[i].keep_to_rows || !names[j].keep_to_rows || shown[i] != shown[j]) continue;
      shown[i] = shortened_apart(names[i].text, names[j].text, rows_cells(names[i]));
      shown[j] = shortened_apart(names[j].text, names[i].text, rows_cells(names[j]));
    }
  }
  return shown;
}

// Caption and X axis name centred across the image; the upright names
// (upright_names) beside their panels.
void draw_titles(gdImagePtr im, int black, const PlotOptions& o, const PicturePlan& plan) {
  if (o.caption[0] != '\0') {
    draw_text(im, font9x16, floor_half(plan.size_x - text_width(o.caption, font9x16)), caption_top,
              o.caption, black);
  }
  if (o.dim_x[0] != '\0') {
    draw_text(im, font8x16, floor_half(plan.size_x - text_width(o.dim_x, font8x16)),
              plan.size_y - dim_x_above_bottom, o.dim_x, black);
  }
  std::vector<UprightName> names = upright_names(o, plan);
  std::vector<std::string> shown = shown_names(names);
  for (size_t i = 0; i < names.size(); ++i) {
    draw_upright_name(im, black, shown[i].c_str(), names[i].top, names[i].bottom);
  }
}

// The light grey plot area inside a two-pixel black frame.
void draw_frame(gdImagePtr im, const Palette& p, const PlotArea& area) {
  int left = area.left - 1;
  int top = area.top - 1;
  int right = area.right + 1;
  int bottom = area.bottom + 1;
  fill_area(im, left, top, right, bottom, p.light_grey);
  gdImageRectangle(im, left, top, right, bottom, p.black);
  gdImageRectangle(im, left - 1, top - 1, right + 1, bottom + 1, p.black);
}

// A colour the palette has already (red, blue) is not allocated twice.
int curve_color(gdImagePtr im, const Rgb& c) {
  int index = gdImageColorExact(im, c.red, c.green, c.blue);
  return index >= 0 ? index : gdImageColorAllocate(im, c.red, c.green, c.blue);
}

void draw_x(gdImagePtr im, int black, const PlotArea& area, const PlotOptions& o,
            const PicturePlan& plan, bool labels) {
  if (plan.fit_x) {
    draw_fit_grid(im, black, area, Orientation::horizontal, plan.x_rule, o.sub_grid_x);
    if (labels) draw_fit_labels(im, black, area, Orientation::horizontal, plan.x_rule);
    return;
  }
  draw_grid(im, black, area, Orientation::horizontal, o.sub_grid_x);
  if (labels) draw_x_labels(im, black, area, o.sub_grid_x);
}

void draw_y(gdImagePtr im, int black, const PlotArea& area, const PlotOptions& o,
            const PicturePlan& plan) {
  if (plan.fit_y) {
    draw_fit_grid(im, black, area, Orientation::vertical, plan.y_rule, o.sub_grid_y);
    draw_fit_labels(im, black, area, Orientation::vertical, plan.y_rule);
    return;
  }
  draw_grid(im, black, area, Orientation::vertical, o.sub_grid_y);
  draw_y_labels(im, black, area, o.sub_grid_y);
}

// A point alone, in a run of its own, as a small slanted cross
// (lone_point_arm). It keeps to the plot area, as the curves do.
void draw_lone_point(gdImagePtr im, const PlotArea& area, const PixelPoint& p, int color) {
  constexpr int arm = lone_point_arm;
  int x1, y1, x2, y2;
  gdImageGetClip(im, &x1, &y1, &x2, &y2);
  gdImageSetClip(im, area.left, area.top, area.right, area.bottom);
  gdImageLine(im, p.x - arm, p.y - arm, p.x + arm, p.y + arm, color);
  gdImageLine(im, p.x - arm, p.y + arm, p.x + arm, p.y - arm, color);
  gdImageSetClip(im, x1, y1, x2, y2);
}

// A run of vertices as drawn, weighed for the legend's corner: one vertex
// alone is a lone point.
void weigh_run(CornerWeights* weights, std::span<const PixelPoint> run) {
  if (weights == nullptr) return;
  if (run.size() == 1) weigh_lone_point(*weights, run[0].x, run[0].y);
  for (size_t i = 1; i < run.size(); ++i) {
    const PixelPoint &from = run[i - 1], &to = run[i];
    // A dense curve repeats its pixels: a step of none weighs nothing.
    if (from.x != to.x || from.y != to.y) weigh_segment(*weights, from.x, from.y, to.x, to.y);
  }
}

// One curve of the points, which are released: in a fitted picture cut at
// the frame, otherwise joined through the points inside the area only.
// What is drawn is weighed in `weights` where given.
void draw_points(gdImagePtr im, const PlotArea& area, bool clipped, PointList points, int color,
                 CornerWeights* weights = nullptr) {
  if (!clipped) {
    std::span<const PixelPoint> vertices = map_to_area(points, area);
    weigh_run(weights, vertices);
    draw_curve(im, vertices, color);
    return;
  }
  VertexRuns runs;
  clip_to_area(points, area, runs);
  points = PointList();
  std::span<const PixelPoint> all(runs.vertices);
  size_t start = 0;
  for (size_t end : runs.ends) {
    weigh_run(weights, all.subspan(start, end - start));
    if (end - start == 1) draw_lone_point(im, area, all[start], color);
    draw_curve(im, all.subspan(start, end - start), color);
    start = end;
  }
}

// A stated sensitivity as a ring on its curve, inside the area only.
void draw_sensitivity(gdImagePtr im, const PlotArea& area, ResponsePoint mark, int color) {
  VertexRuns runs;
  clip_to_area(PointList{mark}, area, runs);
  if (runs.vertices.size() != 1) return;
  constexpr int diameter = 2 * sensitivity_mark_radius;
  const PixelPoint& p = runs.vertices.front();
  gdImageArc(im, p.x, p.y, diameter, diameter, 0, 360, color);
}

// Each curve in turn, its colour allocated as it is drawn; the points are
// not looked at again.
std::vector<int> draw_curves(gdImagePtr im, const PicturePlan& plan, CurveList& curves,
                             CornerWeights* weights) {
  std::vector<int> colors;
  colors.reserve(curves.size());
  for (Curve& c : curves) {
    colors.push_back(curve_color(im, c.color));
    draw_points(im, plan.amplitude, plan.clipped, std::move(c.points), colors.back(), weights);
    if (c.sensitivity) draw_sensitivity(im, plan.amplitude, *c.sensitivity, colors.back());
  }
  return colors;
}

// The framed amplitude area with its grid, labels (X labels only when no
// phase panel lies below) and curves, weighed for the legend where
// `weights` is given. Returns each curve's palette index.
std::vector<int> draw_amplitude(gdImagePtr im, const Palette& p, const PlotOptions& o,
                                const PicturePlan& plan, CurveList& curves,
                                CornerWeights* weights) {
  const PlotArea& area = plan.amplitude;
  draw_frame(im, p, area);
  draw_x(im, p.black, area, o, plan, !o.phase && !o.diff);
  draw_y(im, p.black, area, o, plan);
  return draw_curves(im, plan, curves, weights);
}

// The framed phase area below, each curve's phases in its curve's colour.
void draw_phase(gdImagePtr im, const Palette& p, const PlotOptions& o, const PicturePlan& plan,
                CurveList& curves, const std::vector<int>& colors) {
  const PlotArea& area = plan.phase;
  draw_frame(im, p, area);
  draw_x(im, p.black, area, o, plan, !o.diff);
  draw_fit_grid(im, p.black, area, Orientation::vertical, plan.phase_rule, 0);
  draw_fit_labels(im, p.black, area, Orientation::vertical, plan.phase_rule);
  if (!plan.phase_drawable) return;
  for (size_t i = 0; i < curves.size(); ++i) {
    draw_points(im, area, plan.clipped, std::move(curves[i].phases), colors[i]);
  }
}

// One deviation panel: its grid and labels, the zero line, the tolerance
// (dashed, in its own colour) and each further curve's deviation.
struct DeviationPanel {
  const PlotArea& area;
  const TickRule& rule;
  PointList Curve::*list;
  double tolerance;  // 0: none
  bool x_labels;
};

void draw_deviation(gdImagePtr im, const Palette& p, const PlotOptions& o, const PicturePlan& plan,
                    const DeviationPanel& d, CurveList& curves, const std::vector<int>& colors) {
  draw_frame(im, p, d.area);
  draw_x(im, p.black, d.area, o, plan, d.x_labels);
  draw_fit_grid(im, p.black, d.area, Orientation::vertical, d.rule, 0);
  draw_fit_labels(im, p.black, d.area, Orientation::vertical, d.rule);
  int zero = tick_pixel(d.area, Orientation::vertical, 0);
  if (d.area.top < zero && zero < d.area.bottom) {
    draw_grid_line(im, p.black, d.area, Orientation::vertical, zero, false);
  }
  if (d.tolerance > 0) {
    int orange = curve_color(im, tolerance_color);
    for (double v : {-d.tolerance, d.tolerance}) {
      int row = tick_pixel(d.area, Orientation::vertical, v);
      if (d.area.top <= row && row <= d.area.bottom) {
        gdImageDashedLine(im, d.area.left, row, d.area.right, row, orange);
      }
    }
  }
  for (size_t i = 1; i < curves.size(); ++i) {
    draw_points(im, d.area, true, std::move(curves[i].*d.list), colors[i]);
  }
}

// The deviation panels below the others.
void draw_deviations(gdImagePtr im, const Palette& p, const PlotOptions& o, const PicturePlan& plan,
                     CurveList& curves, const std::vector<int>& colors) {
  double tol_db = tolerance_db(o), tol_deg = tolerance_deg(o);
  draw_deviation(im, p, o, plan,
                 {plan.deviation, plan.deviation_rule, &Curve::deviation, tol_db, !o.phase}, curves,
                 colors);
  if (!o.phase) return;
  draw_deviation(
      im, p, o, plan,
      {plan.phase_deviation, plan.phase_deviation_rule, &Curve::phase_deviation, tol_deg, true},
      curves, colors);
}

// The Nyquist frequency of NYQUIST=, half the sampling rate: a dashed line
// across every panel where it lies inside the range, named at its top.
void draw_nyquist(gdImagePtr im, const PlotOptions& o, const PicturePlan& plan) {
  double f = o.nyquist / 2;
  const AxisScale& x = plan.amplitude.x;
  if (!(x.min <= f && f <= x.max)) return;
  int color = curve_color(im, nyquist_color);
  int column = tick_pixel(plan.amplitude, Orientation::horizontal, f);
  for (const PlotArea* area :
       {&plan.amplitude, &plan.phase, &plan.deviation, &plan.phase_deviation}) {
    if (area->width == 0) continue;  // a panel not shown
    gdImageDashedLine(im, column, area->top, column, area->bottom, color);
  }
  // The name right of the line, or left of it where the area ends first.
  constexpr int label_inset = 2;
  int width = text_width(o.nyquist_name, font6x12);
  int left = column + label_inset;
  if (left + width > plan.amplitude.right) left = column - label_inset - width;
  draw_text(im, font6x12, left, plan.amplitude.top + label_inset, o.nyquist_name, color);
}

}  // namespace

// Every check was made in the plan: all that can fail here is memory.
int draw_picture(const PicturePlan& plan, CurveList curves, const Legend& legend,
                 const PlotOptions& o, Picture& picture) {
  try {
    picture.reset(gdImageCreate(plan.size_x, plan.size_y));
    if (picture == nullptr) return fail(message::picture_not_created, -1);
    gdImagePtr im = picture.get();
    Palette p = allocate_palette(im);
    fill_area(im, 0, 0, plan.size_x, plan.size_y, p.pale_blue);
    draw_titles(im, p.black, o, plan);
    // A corner asked for is a new picture, like a fitted one: names shortened.
    bool shorten = plan.clipped || o.legend_corner != LegendCorner::automatic;
    LegendPlan legend_plan = plan_legend(plan.amplitude, legend, shorten);
    bool weigh = !legend.empty() && o.legend_corner == LegendCorner::automatic;
    std::vector<int> colors =
        draw_amplitude(im, p, o, plan, curves, weigh ? &legend_plan.weights : nullptr);
    if (o.phase) draw_phase(im, p, o, plan, curves, colors);
    if (o.diff) draw_deviations(im, p, o, plan, curves, colors);
    if (o.nyquist > 0) draw_nyquist(im, o, plan);
    // Last: nothing is drawn over the legend.
    draw_legend(im, plan.amplitude, legend, legend_plan, colors, p.black, p.light_grey,
                o.legend_corner);
    return 0;
  } catch (const std::bad_alloc&) {
    picture.reset();
    return fail(message::no_memory_for_picture, -1);
  }
}
