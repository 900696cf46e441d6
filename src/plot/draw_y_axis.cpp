#include "plot/draw_y_axis.h"

#include <cmath>
#include <string>

#include "fonts/fonts.h"
#include "plot/axis_grid.h"
#include "plot/draw_text.h"
#include "plot/format_label.h"
#include "plot/power_label.h"
#include "plot/to_pixel.h"

namespace {

// Labels end before column `right`, centred on their row.
void right_aligned_label(gdImagePtr image, int black, const std::string& text, int right, int row) {
  draw_text(image, font6x12, right - static_cast<int>(text.size()) * font6x12.w,
            row - font6x12.h / 2, text, black);
}

// The label left of decade line py for the decade 10^f.
void decade_label(gdImagePtr image, int black, double f, int py, int right) {
  int e = to_pixel(f);
  if (0 <= e && e <= 2) {
    right_aligned_label(image, black, format_int(to_pixel(std::pow(10.0, e))), right, py);
    return;
  }
  PowerLabel label{"10", format_int(e)};
  draw_power_label(image, black, label, right - label.width(), py - font6x12.h / 2);
}

}  // namespace

// Unlike the X axis, a decade line clamped to either end is not labelled.
void draw_y_labels(gdImagePtr image, int black, const PlotArea& area, int sub_grid_y) {
  int right = area.left - label_right_gap;
  double y_min = area.y.min;
  double y_max = area.y.max;
  if (area.y.log) {
    for_each_decade(log_axis(area, Orientation::vertical), [&](const Decade& decade, int py) {
      double d = decade.value;
      if (y_min <= d && d <= y_max) decade_label(image, black, decade.exponent, py, right);
    });
    return;
  }
  int n = sub_grid_y;
  for_each_linear_line(area, Orientation::vertical, n, [&](int i, int gy) {
    right_aligned_label(image, black, format_g(y_min + i * ((y_max - y_min) / n), 2, 6), right, gy);
  });
}

void draw_y_axis(gdImagePtr image, int black, double y_min, double y_max, bool log_y,
                 int sub_grid_y, int plot_right, int plot_bottom) {
  PlotArea area = plot_area_between(left_margin, top_margin, plot_right, plot_bottom);
  area.y = axis_scale(y_min, y_max, log_y, area.height);
  draw_grid(image, black, area, Orientation::vertical, sub_grid_y);
  draw_y_labels(image, black, area, sub_grid_y);
}
