#include "plot/draw_gif.h"

#include <new>
#include <utility>

#include "core/fail.h"
#include "plot/curve.h"
#include "plot/draw_picture.h"

// The picture of one response in red, without a legend, as a GIF.
int draw_gif(const char* out_path, PointList points, double x_min, double x_max, bool log_x,
             bool log_y, const char* caption, int size_x, int size_y, int sub_grid_x,
             int sub_grid_y, const char* dim_x, const char* dim_y, const FileIdentity& input) {
  PictureSettings settings{x_min,  x_max,      log_x,      log_y, caption, size_x,
                           size_y, sub_grid_x, sub_grid_y, dim_x, dim_y,   OutputFormat::gif};
  try {
    CurveList curves;
    curves.push_back({std::move(points), {}, curve_colors[0], input});
    return draw_picture(out_path, std::move(curves), Legend{}, settings);
  } catch (const std::bad_alloc&) {
    return fail("draw_gif(): Not enough memory for the picture", -3);
  }
}
