#include "plot/draw_picture.h"

#include <gd.h>

#include <cstring>
#include <new>
#include <utility>

#include "core/fail.h"
#include "fonts/fonts.h"
#include "plot/amplitude_range.h"
#include "plot/create_graphics_vector.h"
#include "plot/draw_curve.h"
#include "plot/draw_x_axis.h"
#include "plot/draw_y_axis.h"
#include "plot/fill_area.h"
#include "plot/fit_axis.h"
#include "plot/fit_range.h"
#include "plot/phase_panel.h"
#include "plot/pixel_point.h"
#include "plot/plot_area.h"
#include "plot/to_pixel.h"
#include "plot/unwrap.h"
#include "plot/write_output.h"

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

// The allocation order fixes the palette indices 0 to 5 in the GIF.
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

// A curve colour already in the palette is used as it is.
int colour_index(gdImagePtr im, Rgb c) {
  int index = gdImageColorExact(im, c.red, c.green, c.blue);
  return index >= 0 ? index : gdImageColorAllocate(im, c.red, c.green, c.blue);
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
void draw_titles(gdImagePtr im, int black, const PictureOptions& o, const PlotArea& amplitude,
                 const PlotArea& phase) {
  if (o.caption[0] != '\0') {
    gdImageString(im, font_ptr(font9x16), floor_half(o.size_x - text_width(o.caption, font9x16)),
                  caption_top, bytes(o.caption), black);
  }
  if (o.dim_x[0] != '\0') {
    gdImageString(im, font_ptr(font8x16), floor_half(o.size_x - text_width(o.dim_x, font8x16)),
                  o.size_y - dim_x_above_bottom, bytes(o.dim_x), black);
  }
  if (!o.phase) {
    draw_upright_name(im, black, o.dim_y, 0, o.size_y);
    return;
  }
  draw_upright_name(im, black, o.dim_y, amplitude.top, amplitude.bottom);
  draw_upright_name(im, black, o.dim_p, phase.top, phase.bottom);
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

// The labelled lines of the axes of -fit.
struct FitRules {
  TickRule x, y;
};

void draw_x(gdImagePtr im, int black, const PlotArea& area, const PictureOptions& o,
            const FitRules& rules, bool labels) {
  if (o.fit) {
    draw_fit_grid(im, black, area, Orientation::horizontal, rules.x, o.sub_grid_x);
    if (labels) draw_fit_labels(im, black, area, Orientation::horizontal, rules.x);
    return;
  }
  draw_x_grid(im, black, area, o.sub_grid_x);
  if (labels) draw_x_labels(im, black, area, o.sub_grid_x);
}

void draw_y(gdImagePtr im, int black, const PlotArea& area, const PictureOptions& o,
            const FitRules& rules) {
  if (o.fit) {
    draw_fit_grid(im, black, area, Orientation::vertical, rules.y, o.sub_grid_y);
    draw_fit_labels(im, black, area, Orientation::vertical, rules.y);
    return;
  }
  draw_y_grid(im, black, area, o.sub_grid_y);
  draw_y_labels(im, black, area, o.sub_grid_y);
}

// The framed amplitude area with its grid, labels and curves (X labels
// only when no phase panel lies below). The points are not looked at
// again: the mapping takes them over.
void draw_amplitude(gdImagePtr im, const Palette& p, const PlotArea& area, const PictureOptions& o,
                    const FitRules& rules, CurveList& curves) {
  draw_frame(im, p, area);
  draw_x(im, p.black, area, o, rules, !o.phase);
  draw_y(im, p.black, area, o, rules);
  VertexList vertices;
  for (Curve& curve : curves) {
    map_to_area(std::move(curve.points), area, vertices, true);
    draw_curve(im, vertices, colour_index(im, curve.colour));
  }
}

void draw_phase(gdImagePtr im, const Palette& p, const PlotArea& area, const PictureOptions& o,
                const FitRules& rules, const TickRule& phase_rule, CurveList& curves) {
  draw_frame(im, p, area);
  draw_x(im, p.black, area, o, rules, true);
  draw_fit_grid(im, p.black, area, Orientation::vertical, phase_rule, 0);
  draw_fit_labels(im, p.black, area, Orientation::vertical, phase_rule);
  VertexList vertices;
  for (Curve& curve : curves) {
    map_to_area(std::move(curve.phases), area, vertices, true);
    draw_curve(im, vertices, colour_index(im, curve.colour));
  }
}

// The amplitude range of all curves over the frequency range.
void amplitude_range(const CurveList& curves, double x_min, double x_max, double& y_min,
                     double& y_max) {
  find_amplitude_range(curves[0].points, x_min, x_max, y_min, y_max);
  for (size_t i = 1; i < curves.size(); ++i) {
    double lo, hi;
    find_amplitude_range(curves[i].points, x_min, x_max, lo, hi);
    if (lo < y_min) y_min = lo;
    if (hi > y_max) y_max = hi;
  }
}

// The phase axis over the phases inside the frequency range, unwrapped
// first when asked for.
AxisScale phase_axis(CurveList& curves, const PictureOptions& o, const AxisScale& x,
                     const PlotArea& area, TickRule& rule) {
  double lo = 0, hi = 0;
  bool any = false;
  for (Curve& curve : curves) {
    if (o.unwrap) unwrap_phase(curve.phases);
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

int write_gif(gdImagePtr im, const char* out_path) {
  int size = 0;
  void* gif = gdImageGifPtr(im, &size);
  if (gif == nullptr) return fail("draw_gif(): Unable to encode the picture", -3);
  int result = write_output(out_path, gif, static_cast<size_t>(size));
  gdFree(gif);
  return result < 0 ? -3 : 0;
}

}  // namespace

// Every check is made before the first pixel is drawn; the amplitude range
// is refused before the picture is made, the axis ranges after. With -fit
// and a linear amplitude axis, amplitudes at or below zero (dB) are drawn.
int draw_picture(const char* out_path, CurveList& curves, const PictureOptions& o) {
  try {
    double x_min = o.x_min, x_max = o.x_max;
    FitRules rules;
    if (o.fit) {
      if (!o.x_axis_given) data_frequency_range(curves, x_min, x_max);
      rules.x = fit_frequency_range(x_min, x_max, o.log_x);
    }
    double y_min, y_max;
    amplitude_range(curves, x_min, x_max, y_min, y_max);
    bool signed_amplitudes = o.fit && !o.log_y;
    if (!signed_amplitudes && (y_max <= 0 || y_min <= 0)) {
      return fail("draw_gif(): Max (or Min) amplitude <= 0", -1);
    }
    if (o.fit) rules.y = fit_amplitude_range(y_min, y_max, o.log_y);
    Image image{gdImageCreate(o.size_x, o.size_y)};
    if (image.im == nullptr) return fail("draw_gif(): Unable to create the picture", -3);
    PanelLayout panels{standard_plot_area(o.size_x, o.size_y), {}};
    if (o.phase) panels = split_panels(o.size_x, o.size_y);
    PlotArea& amplitude = panels.amplitude;
    if (set_axes(amplitude, x_min, x_max, o.log_x, y_min, y_max, o.log_y) < 0) {
      last_error = "draw_gif()-> " + last_error;
      return -2;
    }
    TickRule phase_rule;
    if (o.phase) {
      panels.phase.x = amplitude.x;
      panels.phase.y = phase_axis(curves, o, amplitude.x, panels.phase, phase_rule);
    }
    gdImagePtr im = image.im;
    Palette p = allocate_palette(im);
    fill_area(im, 0, 0, o.size_x, o.size_y, p.pale_blue);
    draw_titles(im, p.black, o, amplitude, panels.phase);
    draw_amplitude(im, p, amplitude, o, rules, curves);
    if (o.phase) draw_phase(im, p, panels.phase, o, rules, phase_rule, curves);
    return write_gif(im, out_path);
  } catch (const std::bad_alloc&) {
    return fail("draw_gif(): Not enough memory for the picture", -3);
  }
}
