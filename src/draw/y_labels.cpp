#include "draw/y_labels.h"

#include <cmath>
#include <string>

#include "draw/draw_text.h"
#include "draw/power_label.h"
#include "fonts/fonts.h"
#include "layout/axis_walk.h"
#include "layout/format_label.h"
#include "layout/to_pixel.h"

namespace {

// Labels end before column `right`, centred on their row.
void right_aligned_label(gdImagePtr image, int black, const std::string& text, int right, int row) {
  draw_text(image, font6x12, right - static_cast<int>(text.size()) * font6x12.w,
            row - font6x12.h / 2, text, black);
}

// The label left of decade line py for the decade 10^f.
void label_decade(gdImagePtr image, int black, double f, int py, int right) {
  PowerLabel label = decade_label(to_pixel(f));
  if (label.exponent.empty()) {
    right_aligned_label(image, black, label.mantissa, right, py);
    return;
  }
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
      if (y_min <= d && d <= y_max) label_decade(image, black, decade.exponent, py, right);
    });
    return;
  }
  int n = sub_grid_y;
  for_each_linear_line(area, Orientation::vertical, n, [&](int i, int gy) {
    right_aligned_label(image, black, format_g(y_min + i * ((y_max - y_min) / n), 2, 6), right, gy);
  });
}
