#include "draw/x_labels.h"

#include <cmath>
#include <string>

#include "draw/draw_text.h"
#include "draw/power_label.h"
#include "fonts/fonts.h"
#include "layout/axis_walk.h"
#include "layout/format_label.h"
#include "layout/to_pixel.h"

namespace {

void centred_label(gdImagePtr image, int black, const std::string& text, int px, int top) {
  int len = static_cast<int>(text.size());
  draw_text(image, font6x12, px - floor_half(len * font6x12.w), top, text, black);
}

// The label under decade line px. The last line, clamped to x_max, shows
// x_max: its leading digit, *10, and the exponent one less.
void label_decade(gdImagePtr image, int black, double x_max, const Decade& decade, int px,
                  int top) {
  int e = to_pixel(decade.exponent);
  PowerLabel label = decade_label(e);
  if (decade.value > x_max) {
    if (label.exponent.empty()) {
      label.mantissa = format_int(to_pixel(x_max));
    } else {
      label.exponent = format_int(e - 1);
      label.mantissa = format_int(to_pixel(x_max / std::pow(10.0, e - 1))) + "*10";
    }
  }
  if (label.exponent.empty()) {
    centred_label(image, black, label.mantissa, px, top);
    return;
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
      if (x_min <= decade.value) label_decade(image, black, x_max, decade, px, top);
    });
    return;
  }
  int n = sub_grid_x;
  for_each_linear_line(area, Orientation::horizontal, n, [&](int i, int gx) {
    centred_label(image, black, format_g(x_min + (x_max - x_min) * i / n, 2), gx, top);
  });
}
