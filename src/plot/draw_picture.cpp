#include "plot/draw_picture.h"

#include <gd.h>

#include <cstring>
#include <new>
#include <utility>
#include <vector>

#include "core/fail.h"
#include "fonts/fonts.h"
#include "plot/amplitude_range.h"
#include "plot/axis_grid.h"
#include "plot/create_graphics_vector.h"
#include "plot/draw_curve.h"
#include "plot/draw_x_axis.h"
#include "plot/draw_y_axis.h"
#include "plot/fill_area.h"
#include "plot/fit_axis.h"
#include "plot/fit_range.h"
#include "plot/legend.h"
#include "plot/phase_panel.h"
#include "plot/pixel_point.h"
#include "plot/plot_area.h"
#include "plot/to_pixel.h"
#include "plot/unwrap.h"
#include "plot/write_picture.h"

namespace {

constexpr int caption_top = 10;
constexpr int dim_x_above_bottom = 20;  // the X axis name's top, from the image's bottom edge
constexpr int dim_y_left = 10;

struct Palette {
  int white, black, red, blue, light_grey, pale_blue;
};

// Destroys the image on every way out.
struct Image {
  gdImagePtr im;
  ~Image() {
    if (im != nullptr) gdImageDestroy(im);
  }
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

unsigned char* bytes(const char* text) {
  return reinterpret_cast<unsigned char*>(const_cast<char*>(text));
}

int text_width(const char* text, const gdFont& font) {
  return static_cast<int>(strlen(text)) * font.w;
}

// An upright axis name centred between rows `top` and `bottom`.
void draw_upright_name(gdImagePtr im, int black, const char* name, int top, int bottom) {
  if (name[0] == '\0') return;
  gdImageStringUp(im, font_ptr(font8x16), dim_y_left,
                  floor_half(top + bottom + text_width(name, font8x16)), bytes(name), black);
}

// Caption and X axis name centred across the image; the Y axis name upright
// and centred along the image's height, or with the phase panel along the
// amplitude area, and the phase axis name along the phase area.
void draw_titles(gdImagePtr im, int black, const PictureSettings& s, const PlotArea& amplitude,
                 const PlotArea& phase) {
  if (s.caption[0] != '\0') {
    gdImageString(im, font_ptr(font9x16), floor_half(s.size_x - text_width(s.caption, font9x16)),
                  caption_top, bytes(s.caption), black);
  }
  if (s.dim_x[0] != '\0') {
    gdImageString(im, font_ptr(font8x16), floor_half(s.size_x - text_width(s.dim_x, font8x16)),
                  s.size_y - dim_x_above_bottom, bytes(s.dim_x), black);
  }
  if (!s.phase) {
    draw_upright_name(im, black, s.dim_y, 0, s.size_y);
    return;
  }
  draw_upright_name(im, black, s.dim_y, amplitude.top, amplitude.bottom);
  draw_upright_name(im, black, s.dim_p, phase.top, phase.bottom);
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

// The labelled lines of the axes of -fit.
struct FitRules {
  TickRule x, y;
};

void draw_x(gdImagePtr im, int black, const PlotArea& area, const PictureSettings& s,
            const FitRules& rules, bool labels) {
  if (s.fit) {
    draw_fit_grid(im, black, area, Orientation::horizontal, rules.x, s.sub_grid_x);
    if (labels) draw_fit_labels(im, black, area, Orientation::horizontal, rules.x);
    return;
  }
  draw_grid(im, black, area, Orientation::horizontal, s.sub_grid_x);
  if (labels) draw_x_labels(im, black, area, s.sub_grid_x);
}

void draw_y(gdImagePtr im, int black, const PlotArea& area, const PictureSettings& s,
            const FitRules& rules) {
  if (s.fit) {
    draw_fit_grid(im, black, area, Orientation::vertical, rules.y, s.sub_grid_y);
    draw_fit_labels(im, black, area, Orientation::vertical, rules.y);
    return;
  }
  draw_grid(im, black, area, Orientation::vertical, s.sub_grid_y);
  draw_y_labels(im, black, area, s.sub_grid_y);
}

// Each curve in turn, its colour allocated as it is drawn; the points are
// not looked at again: the mapping takes them over.
std::vector<int> draw_curves(gdImagePtr im, const PlotArea& area, CurveList& curves) {
  std::vector<int> colors;
  colors.reserve(curves.size());
  for (Curve& c : curves) {
    colors.push_back(curve_color(im, c.color));
    VertexList vertices;
    map_to_area(std::move(c.points), area, vertices, true);
    draw_curve(im, vertices, colors.back());
  }
  return colors;
}

// The framed amplitude area with its grid, labels (X labels only when no
// phase panel lies below), curves and legend. Returns each curve's palette
// index.
std::vector<int> draw_amplitude(gdImagePtr im, const Palette& p, const PlotArea& area,
                                const PictureSettings& s, const FitRules& rules, CurveList& curves,
                                const Legend& legend) {
  draw_frame(im, p, area);
  draw_x(im, p.black, area, s, rules, !s.phase);
  draw_y(im, p.black, area, s, rules);
  std::vector<int> colors = draw_curves(im, area, curves);
  draw_legend(im, area, legend, colors, p.black, p.light_grey);
  return colors;
}

// The framed phase area below, each curve's phases in its curve's colour.
void draw_phase(gdImagePtr im, const Palette& p, const PlotArea& area, const PictureSettings& s,
                const FitRules& rules, const TickRule& phase_rule, CurveList& curves,
                const std::vector<int>& colors) {
  draw_frame(im, p, area);
  draw_x(im, p.black, area, s, rules, true);
  draw_fit_grid(im, p.black, area, Orientation::vertical, phase_rule, 0);
  draw_fit_labels(im, p.black, area, Orientation::vertical, phase_rule);
  VertexList vertices;
  for (size_t i = 0; i < curves.size(); ++i) {
    map_to_area(std::move(curves[i].phases), area, vertices, true);
    draw_curve(im, vertices, colors[i]);
  }
}

// The phase axis over the phases inside the frequency range, unwrapped
// first when asked for.
AxisScale phase_axis(CurveList& curves, const PictureSettings& s, const AxisScale& x,
                     const PlotArea& area, TickRule& rule) {
  double lo = 0, hi = 0;
  bool any = false;
  for (Curve& curve : curves) {
    if (s.unwrap) unwrap_phase(curve.phases);
    for (const ResponsePoint& q : curve.phases) {
      if (!(x.min <= q.x && q.x <= x.max)) continue;
      if (!any || q.y < lo) lo = q.y;
      if (!any || q.y > hi) hi = q.y;
      any = true;
    }
  }
  rule = fit_phase_range(lo, hi, any);
  return axis_scale(lo, hi, false, area.height);
}

// With -fit: the frequency range of all curves (unless X_AXIS= was given)
// and its labelled lines.
void fit_frequencies(const CurveList& curves, const PictureSettings& s, double& x_min,
                     double& x_max, FitRules& rules) {
  if (!s.x_axis_given) data_frequency_range(curves, x_min, x_max);
  rules.x = fit_frequency_range(x_min, x_max, s.log_x);
}

}  // namespace

// Every check is made before the first pixel is drawn; the amplitude range
// is refused before the picture is made, the axis ranges after.
int draw_picture(const char* out_path, CurveList curves, const Legend& legend,
                 const PictureSettings& s) {
  try {
    double x_min = s.x_min, x_max = s.x_max;
    FitRules rules;
    if (s.fit) fit_frequencies(curves, s, x_min, x_max, rules);
    double y_min, y_max;
    find_common_amplitude_range(curves, x_min, x_max, y_min, y_max);
    bool signed_amplitudes = s.fit && !s.log_y;
    if (!signed_amplitudes && (y_max <= 0 || y_min <= 0)) {
      return fail("draw_gif(): Max (or Min) amplitude <= 0", -1);
    }
    if (s.fit) rules.y = fit_amplitude_range(y_min, y_max, s.log_y);
    Image image{gdImageCreate(s.size_x, s.size_y)};
    if (image.im == nullptr) return fail("draw_gif(): Unable to create the picture", -3);
    PanelLayout panels{standard_plot_area(s.size_x, s.size_y), {}};
    if (s.phase) panels = split_panels(s.size_x, s.size_y);
    PlotArea& amplitude = panels.amplitude;
    if (set_axes(amplitude, x_min, x_max, s.log_x, y_min, y_max, s.log_y) < 0) {
      last_error = "draw_gif()-> " + last_error;
      return -2;
    }
    TickRule phase_rule;
    if (s.phase) {
      panels.phase.x = amplitude.x;
      panels.phase.y = phase_axis(curves, s, amplitude.x, panels.phase, phase_rule);
    }
    gdImagePtr im = image.im;
    Palette p = allocate_palette(im);
    fill_area(im, 0, 0, s.size_x, s.size_y, p.pale_blue);
    draw_titles(im, p.black, s, amplitude, panels.phase);
    std::vector<int> colors = draw_amplitude(im, p, amplitude, s, rules, curves, legend);
    if (s.phase) draw_phase(im, p, panels.phase, s, rules, phase_rule, curves, colors);
    std::vector<FileIdentity> inputs;
    for (const Curve& c : curves) inputs.push_back(c.source);
    return write_picture(im, s.format, out_path, inputs);
  } catch (const std::bad_alloc&) {
    return fail("draw_gif(): Not enough memory for the picture", -3);
  }
}
