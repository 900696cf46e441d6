#include "plot/draw_gif.h"

#include <gd.h>

#include <cstring>
#include <new>

#include "driver/last_error.h"
#include "fonts/fonts.h"
#include "plot/amplitude_range.h"
#include "plot/create_graphics_vector.h"
#include "plot/draw_curve.h"
#include "plot/draw_x_axis.h"
#include "plot/draw_y_axis.h"
#include "plot/fill_area.h"
#include "plot/pixel_point.h"
#include "plot/plot_geometry.h"
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
void draw_frame(gdImagePtr im, const Palette& p, int plot_right, int plot_bottom) {
  int left = plot_left - 1, top = plot_top - 1, right = plot_right + 1, bottom = plot_bottom + 1;
  fill_area(im, left, top, right, bottom, p.light_grey);
  gdImageRectangle(im, left, top, right, bottom, p.black);
  gdImageRectangle(im, left - 1, top - 1, right + 1, bottom + 1, p.black);
}

int fail(const char* message, int result) {
  last_error = message;
  return result;
}

int write_gif(gdImagePtr im, const char* out_path, const FileIdentity& input) {
  int size = 0;
  void* gif = gdImageGifPtr(im, &size);
  if (gif == nullptr) return fail("draw_gif(): Unable to encode the picture", -3);
  int result = write_output(out_path, gif, static_cast<size_t>(size), input);
  gdFree(gif);
  return result < 0 ? -3 : 0;
}

int draw(const char* out_path, PointList& points, double x_min, double x_max, bool log_x,
         bool log_y, const char* caption, int size_x, int size_y, int sub_grid_x, int sub_grid_y,
         const char* dim_x, const char* dim_y, const FileIdentity& input) {
  double y_min, y_max;
  find_amplitude_range(points, x_min, x_max, y_min, y_max);
  if (y_max <= 0 || y_min <= 0) return fail("draw_gif(): Max (or Min) amplitude <= 0", -1);

  Image image{gdImageCreate(size_x, size_y)};
  if (image.im == nullptr) return fail("draw_gif(): Unable to create the picture", -3);
  gdImagePtr im = image.im;
  Palette p = allocate_palette(im);
  fill_area(im, 0, 0, size_x, size_y, p.pale_blue);
  draw_titles(im, p.black, caption, dim_x, dim_y, size_x, size_y);
  int plot_right = plot_right_of(size_x);
  int plot_bottom = plot_bottom_of(size_y);
  draw_frame(im, p, plot_right, plot_bottom);
  draw_x_axis(im, p.black, x_min, x_max, log_x, sub_grid_x, plot_right, plot_bottom);
  draw_y_axis(im, p.black, y_min, y_max, log_y, sub_grid_y, plot_right, plot_bottom);

  VertexList vertices;
  // The points are not looked at again: the mapping takes them over.
  if (create_graphics_vector(std::move(points), x_min, x_max, y_min, y_max, log_x, log_y, plot_left,
                             plot_bottom, plot_right - plot_left, plot_bottom - plot_top, vertices,
                             true) < 0) {
    last_error = "draw_gif()-> " + last_error;
    return -2;
  }
  draw_curve(im, vertices, p.red);
  return write_gif(im, out_path, input);
}

}  // namespace

int draw_gif(const char* out_path, PointList points, double x_min, double x_max, bool log_x,
             bool log_y, const char* caption, int size_x, int size_y, int sub_grid_x,
             int sub_grid_y, const char* dim_x, const char* dim_y, const FileIdentity& input) {
  try {
    return draw(out_path, points, x_min, x_max, log_x, log_y, caption, size_x, size_y, sub_grid_x,
                sub_grid_y, dim_x, dim_y, input);
  } catch (const std::bad_alloc&) {
    return fail("draw_gif(): Not enough memory for the picture", -3);
  }
}
