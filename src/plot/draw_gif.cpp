#include "plot/draw_gif.h"

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
#include "plot/pixel_point.h"
#include "plot/plot_area.h"
#include "plot/to_pixel.h"
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

unsigned char* bytes(const char* text) {
  return reinterpret_cast<unsigned char*>(const_cast<char*>(text));
}

int text_width(const char* text, const gdFont& font) {
  return static_cast<int>(strlen(text)) * font.w;
}

// Caption and X axis name centred across the image, the Y axis name
// upright and centred along its height.
void draw_titles(gdImagePtr im, int black, const char* caption, const char* dim_x,
                 const char* dim_y, int size_x, int size_y) {
  if (caption[0] != '\0') {
    gdImageString(im, font_ptr(font9x16), floor_half(size_x - text_width(caption, font9x16)),
                  caption_top, bytes(caption), black);
  }
  if (dim_x[0] != '\0') {
    gdImageString(im, font_ptr(font8x16), floor_half(size_x - text_width(dim_x, font8x16)),
                  size_y - dim_x_above_bottom, bytes(dim_x), black);
  }
  if (dim_y[0] != '\0') {
    gdImageStringUp(im, font_ptr(font8x16), dim_y_left,
                    floor_half(size_y + text_width(dim_y, font8x16)), bytes(dim_y), black);
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

// The framed area with its grid, labels and curve. The points are not looked
// at again: the mapping takes them over.
void draw_plot(gdImagePtr im, const Palette& p, const PlotArea& area, int sub_grid_x,
               int sub_grid_y, PointList& points) {
  draw_frame(im, p, area);
  draw_x_grid(im, p.black, area, sub_grid_x);
  draw_x_labels(im, p.black, area, sub_grid_x);
  draw_y_grid(im, p.black, area, sub_grid_y);
  draw_y_labels(im, p.black, area, sub_grid_y);
  VertexList vertices;
  map_to_area(std::move(points), area, vertices, true);
  draw_curve(im, vertices, p.red);
}

int write_gif(gdImagePtr im, const char* out_path, const FileIdentity& input) {
  int size = 0;
  void* gif = gdImageGifPtr(im, &size);
  if (gif == nullptr) return fail("draw_gif(): Unable to encode the picture", -3);
  int result = write_output(out_path, gif, static_cast<size_t>(size), input);
  gdFree(gif);
  return result < 0 ? -3 : 0;
}

}  // namespace

// Every check is made before the first pixel is drawn; the amplitude range
// is refused before the picture is made, the axis ranges after.
int draw_gif(const char* out_path, PointList points, double x_min, double x_max, bool log_x,
             bool log_y, const char* caption, int size_x, int size_y, int sub_grid_x,
             int sub_grid_y, const char* dim_x, const char* dim_y, const FileIdentity& input) {
  try {
    double y_min, y_max;
    find_amplitude_range(points, x_min, x_max, y_min, y_max);
    if (y_max <= 0 || y_min <= 0) return fail("draw_gif(): Max (or Min) amplitude <= 0", -1);
    Image image{gdImageCreate(size_x, size_y)};
    if (image.im == nullptr) return fail("draw_gif(): Unable to create the picture", -3);
    PlotArea area = standard_plot_area(size_x, size_y);
    if (set_axes(area, x_min, x_max, log_x, y_min, y_max, log_y) < 0) {
      last_error = "draw_gif()-> " + last_error;
      return -2;
    }
    gdImagePtr im = image.im;
    Palette p = allocate_palette(im);
    fill_area(im, 0, 0, size_x, size_y, p.pale_blue);
    draw_titles(im, p.black, caption, dim_x, dim_y, size_x, size_y);
    draw_plot(im, p, area, sub_grid_x, sub_grid_y, points);
    return write_gif(im, out_path, input);
  } catch (const std::bad_alloc&) {
    return fail("draw_gif(): Not enough memory for the picture", -3);
  }
}
