#include "plot/draw_picture.h"

#include <gd.h>

#include <cstring>
#include <new>
#include <utility>
#include <vector>

#include "core/fail.h"
#include "fonts/fonts.h"
#include "plot/amplitude_range.h"
#include "plot/create_graphics_vector.h"
#include "plot/draw_curve.h"
#include "plot/draw_x_axis.h"
#include "plot/draw_y_axis.h"
#include "plot/fill_area.h"
#include "plot/legend.h"
#include "plot/pixel_point.h"
#include "plot/plot_area.h"
#include "plot/to_pixel.h"
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

// Caption and X axis name centred across the image, the Y axis name
// upright and centred along its height.
void draw_titles(gdImagePtr im, int black, const PictureSettings& s) {
  if (s.caption[0] != '\0') {
    gdImageString(im, font_ptr(font9x16), floor_half(s.size_x - text_width(s.caption, font9x16)),
                  caption_top, bytes(s.caption), black);
  }
  if (s.dim_x[0] != '\0') {
    gdImageString(im, font_ptr(font8x16), floor_half(s.size_x - text_width(s.dim_x, font8x16)),
                  s.size_y - dim_x_above_bottom, bytes(s.dim_x), black);
  }
  if (s.dim_y[0] != '\0') {
    gdImageStringUp(im, font_ptr(font8x16), dim_y_left,
                    floor_half(s.size_y + text_width(s.dim_y, font8x16)), bytes(s.dim_y), black);
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

// The framed area with its grid, labels, curves and legend.
void draw_plot(gdImagePtr im, const Palette& p, const PlotArea& area, const PictureSettings& s,
               CurveList& curves, const Legend& legend) {
  draw_frame(im, p, area);
  draw_x_grid(im, p.black, area, s.sub_grid_x);
  draw_x_labels(im, p.black, area, s.sub_grid_x);
  draw_y_grid(im, p.black, area, s.sub_grid_y);
  draw_y_labels(im, p.black, area, s.sub_grid_y);
  std::vector<int> colors = draw_curves(im, area, curves);
  draw_legend(im, area, legend, colors, p.black, p.light_grey);
}

}  // namespace

// Every check is made before the first pixel is drawn; the amplitude range
// is refused before the picture is made, the axis ranges after.
int draw_picture(const char* out_path, CurveList curves, const Legend& legend,
                 const PictureSettings& s) {
  try {
    double y_min, y_max;
    find_common_amplitude_range(curves, s.x_min, s.x_max, y_min, y_max);
    if (y_max <= 0 || y_min <= 0) return fail("draw_gif(): Max (or Min) amplitude <= 0", -1);
    Image image{gdImageCreate(s.size_x, s.size_y)};
    if (image.im == nullptr) return fail("draw_gif(): Unable to create the picture", -3);
    PlotArea area = standard_plot_area(s.size_x, s.size_y);
    if (set_axes(area, s.x_min, s.x_max, s.log_x, y_min, y_max, s.log_y) < 0) {
      last_error = "draw_gif()-> " + last_error;
      return -2;
    }
    gdImagePtr im = image.im;
    Palette p = allocate_palette(im);
    fill_area(im, 0, 0, s.size_x, s.size_y, p.pale_blue);
    draw_titles(im, p.black, s);
    draw_plot(im, p, area, s, curves, legend);
    std::vector<FileIdentity> inputs;
    for (const Curve& c : curves) inputs.push_back(c.source);
    return write_picture(im, s.format, out_path, inputs);
  } catch (const std::bad_alloc&) {
    return fail("draw_gif(): Not enough memory for the picture", -3);
  }
}
