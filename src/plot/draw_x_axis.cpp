#include "plot/draw_x_axis.h"

#include <cmath>
#include <string>
#include <vector>

#include "fonts/fonts.h"
#include "plot/distinct_steps.h"
#include "plot/draw_text.h"
#include "plot/format_label.h"
#include "plot/log_decades.h"
#include "plot/plot_area.h"
#include "plot/to_pixel.h"

namespace {

// The label under decade line px for the decade value d = 10^f.
void decade_label(gdImagePtr image, int black, double x_max, double d, double f, int px, int top) {
  int e = to_pixel(f);
  double shown = x_max < d ? x_max : d;
  if (0 <= e && e <= 2) {
    std::string text = format_int(to_pixel(shown));
    int len = static_cast<int>(text.size());
    draw_text(image, font6x12, px - floor_half(len * font6x12.w), top, text, black);
    return;
  }
  std::string mantissa = "10";
  std::string exponent = format_int(e);
  if (d > x_max) {  // the last line, clamped: leading digit of x_max, *10, one less
    exponent = format_int(e - 1);
    mantissa = format_int(to_pixel(shown / std::pow(10.0, e - 1))) + "*10";
  }
  int mantissa_width = static_cast<int>(mantissa.size()) * font6x12.w;
  int total = mantissa_width + static_cast<int>(exponent.size()) * font5x8.w;
  int lx = px - floor_half(total);
  draw_text(image, font6x12, lx, top, mantissa, black);
  draw_text(image, font5x8, lx + mantissa_width, top - font5x8.h / 2, exponent, black);
}

void draw_log_grid(gdImagePtr image, int black, const PlotArea& area, int sub_grid) {
  double x_min = area.x.min;
  double x_max = area.x.max;
  double width = area.width;
  DecadeRange r = decade_range(x_min, x_max);
  if (!r.drawable()) return;
  auto position = [&](double v) {
    return (std::log10(v) - r.lowest) * width / r.decades + area.left;
  };
  // With more than ten subdivisions a pass reaches back into earlier
  // decades; a column already dashed need not be dashed again.
  std::vector<bool> dashed(area.right + 1);
  for (int k = 0; k < r.count; ++k) {
    Decade decade = decade_at(r, k, x_min, x_max);
    double f = decade.exponent, d = decade.value, c = decade.clamped;
    int px = to_pixel(position(c));
    gdImageLine(image, px, area.top, px, area.bottom, black);
    if (sub_grid > 1 && d >= x_min) {
      auto key = [&](int64_t j) { return position_key(position(j * d / sub_grid)); };
      visit_distinct(sub_grid - 1, area.left, area.right, key, [&](int64_t sx) {
        if (dashed[sx]) return;
        dashed[sx] = true;
        gdImageDashedLine(image, sx, area.top, sx, area.bottom, black);
      });
    }
    if (x_min <= d) decade_label(image, black, x_max, d, f, px, area.bottom + label_gap);
  }
}

void draw_linear_grid(gdImagePtr image, int black, const PlotArea& area, int n) {
  double x_min = area.x.min;
  double x_max = area.x.max;
  if (n <= 1) return;
  int step = area.width / n;
  // More intervals than pixels would pile every line and label onto the
  // left edge: such a grid is left out, like a count of 1.
  if (step == 0) return;
  for (int i = 1; i <= n - 1; ++i) {
    int gx = area.left + i * step;
    if (gx < area.right) gdImageDashedLine(image, gx, area.top, gx, area.bottom, black);
    std::string text = format_g(x_min + (x_max - x_min) * i / n, 2);
    int len = static_cast<int>(text.size());
    draw_text(image, font6x12, gx - floor_half(len * font6x12.w), area.bottom + label_gap, text,
              black);
  }
}

}  // namespace

void draw_x_axis(gdImagePtr image, int black, const PlotArea& area, int sub_grid_x) {
  if (area.x.log) {
    draw_log_grid(image, black, area, sub_grid_x);
  } else {
    draw_linear_grid(image, black, area, sub_grid_x);
  }
}

void draw_x_axis(gdImagePtr image, int black, double x_min, double x_max, bool log_x,
                 int sub_grid_x, int plot_right, int plot_bottom) {
  PlotArea area = plot_area_between(left_margin, top_margin, plot_right, plot_bottom);
  area.x = axis_scale(x_min, x_max, log_x, area.width);
  draw_x_axis(image, black, area, sub_grid_x);
}
