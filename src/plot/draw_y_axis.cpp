#include "plot/draw_y_axis.h"

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

// The label left of decade line py for the decade 10^f; it ends before
// column `right`.
void decade_label(gdImagePtr image, int black, double f, int py, int right) {
  int e = to_pixel(f);
  int top = py - font6x12.h / 2;
  if (0 <= e && e <= 2) {
    std::string text = format_int(to_pixel(std::pow(10.0, e)));
    draw_text(image, font6x12, right - static_cast<int>(text.size()) * font6x12.w, top, text,
              black);
    return;
  }
  std::string mantissa = "10";
  std::string exponent = format_int(e);
  int mantissa_width = static_cast<int>(mantissa.size()) * font6x12.w;
  int lx = right - static_cast<int>(exponent.size()) * font5x8.w - mantissa_width;
  draw_text(image, font6x12, lx, top, mantissa, black);
  draw_text(image, font5x8, lx + mantissa_width, top - font5x8.h / 2, exponent, black);
}

void draw_log_grid(gdImagePtr image, int black, const PlotArea& area, int sub_grid) {
  double y_min = area.y.min;
  double y_max = area.y.max;
  double height = area.height;
  double bottom = area.bottom;
  DecadeRange r = decade_range(y_min, y_max);
  if (!r.drawable()) return;
  auto position = [&](double v) {
    return bottom - (std::log10(v) - r.lowest) * height / r.decades;
  };
  std::vector<bool> dashed(area.bottom + 1);  // as on the X axis
  for (int k = 0; k < r.count; ++k) {
    Decade decade = decade_at(r, k, y_min, y_max);
    double f = decade.exponent, d = decade.value, c = decade.clamped;
    int py = to_pixel(position(c));
    gdImageLine(image, area.left, py, area.right, py, black);
    if (sub_grid > 1 && d >= y_min) {
      // Rows fall as j grows: walk their negatives, which rise.
      auto key = [&](int64_t j) { return -position_key(position(j * d / sub_grid)); };
      visit_distinct(sub_grid - 1, -area.bottom, -area.top, key, [&](int64_t negative_row) {
        int sy = static_cast<int>(-negative_row);
        if (dashed[sy]) return;
        dashed[sy] = true;
        gdImageDashedLine(image, area.left, sy, area.right, sy, black);
      });
    }
    if (y_min <= d && d <= y_max) decade_label(image, black, f, py, area.left - label_right_gap);
  }
}

void draw_linear_grid(gdImagePtr image, int black, const PlotArea& area, int n) {
  double y_min = area.y.min;
  double y_max = area.y.max;
  if (n <= 1) return;
  int step = area.height / n;
  // As on the X axis: a grid finer than a pixel is left out.
  if (step == 0) return;
  for (int i = 1; i <= n - 1; ++i) {
    int gy = area.bottom - i * step;
    if (gy > area.top) gdImageDashedLine(image, area.left, gy, area.right, gy, black);
    std::string text = format_g(y_min + i * ((y_max - y_min) / n), 2, 6);
    draw_text(image, font6x12,
              area.left - label_right_gap - static_cast<int>(text.size()) * font6x12.w,
              gy - font6x12.h / 2, text, black);
  }
}

}  // namespace

void draw_y_axis(gdImagePtr image, int black, const PlotArea& area, int sub_grid_y) {
  if (area.y.log) {
    draw_log_grid(image, black, area, sub_grid_y);
  } else {
    draw_linear_grid(image, black, area, sub_grid_y);
  }
}

void draw_y_axis(gdImagePtr image, int black, double y_min, double y_max, bool log_y,
                 int sub_grid_y, int plot_right, int plot_bottom) {
  PlotArea area = plot_area_between(left_margin, top_margin, plot_right, plot_bottom);
  area.y = axis_scale(y_min, y_max, log_y, area.height);
  draw_y_axis(image, black, area, sub_grid_y);
}
