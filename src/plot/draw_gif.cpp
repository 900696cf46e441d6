#include "plot/draw_gif.h"

#include <new>
#include <utility>

#include "core/fail.h"
#include "plot/draw_picture.h"

int draw_gif(const char* out_path, PointList points, double x_min, double x_max, bool log_x,
             bool log_y, const char* caption, int size_x, int size_y, int sub_grid_x,
             int sub_grid_y, const char* dim_x, const char* dim_y) {
  PictureOptions o;
  o.x_min = x_min;
  o.x_max = x_max;
  o.log_x = log_x;
  o.log_y = log_y;
  o.caption = caption;
  o.size_x = size_x;
  o.size_y = size_y;
  o.sub_grid_x = sub_grid_x;
  o.sub_grid_y = sub_grid_y;
  o.dim_x = dim_x;
  o.dim_y = dim_y;
  try {
    CurveList curves(1);
    curves[0].points = std::move(points);
    return draw_picture(out_path, curves, o);
  } catch (const std::bad_alloc&) {
    return fail("draw_gif(): Not enough memory for the picture", -3);
  }
}
