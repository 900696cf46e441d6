#include "plot/draw_x_axis.h"

#include <cmath>
#include <string>

#include "fonts/fonts.h"
#include "plot/axis_grid.h"
#include "plot/draw_text.h"
#include "plot/format_label.h"
#include "plot/power_label.h"
#include "plot/to_pixel.h"

namespace {

void centred_label(gdImagePtr image, int black, const std::string& text, int px, int top) {
  int len = static_cast<int>(text.size());
  draw_text(image, font6x12, px - floor_half(len * font6x12.w), top, text, black);
}

// The label under decade line px. The last line, clamped to x_max, shows
// x_max: its leading digit, *10, and the exponent one less.
void decade_label(gdImagePtr image, int black, double x_max, const Decade& decade, int px,
                  int top) {
  int e = to_pixel(decade.exponent);
  double d = decade.value;
  double shown = x_max < d ? x_max : d;
  if (0 <= e && e <= 2) {
    centred_label(image, black, format_int(to_pixel(shown)), px, top);
    return;
  }
  PowerLabel label{"10", format_int(e)};
  if (d > x_max) {
    label.exponent = format_int(e - 1);
    label.mantissa = format_int(to_pixel(shown / std::pow(10.0, e - 1))) + "*10";
  }
  draw_power_label(image, black, label, px - floor_half(label.width()), top);
}

}  // namespace

void draw_x_labels(gdImagePtr image, int black, const PlotArea& area, int sub_grid_x) {
  int top = area.bottom + label_gap;
  double x_min = area.x.min;
  double x_max = area.x.max;
  if (area.x.log) {
    for_each_decade(log_axis(area, Orientation::horizontal), [&](const Decade& decade, int px) {
      if (x_min <= decade.value) decade_label(image, black, x_max, decade, px, top);
    });
    return;
  }
  int n = sub_grid_x;
  for_each_linear_line(area, Orientation::horizontal, n, [&](int i, int gx) {
    centred_label(image, black, format_g(x_min + (x_max - x_min) * i / n, 2), gx, top);
  });
}

void draw_x_axis(gdImagePtr image, int black, double x_min, double x_max, bool log_x,
                 int sub_grid_x, int plot_right, int plot_bottom) {
  PlotArea area = plot_area_between(left_margin, top_margin, plot_right, plot_bottom);
  area.x = axis_scale(x_min, x_max, log_x, area.width);
  draw_grid(image, black, area, Orientation::horizontal, sub_grid_x);
  draw_x_labels(image, black, area, sub_grid_x);
}
