#include "draw/power_label.h"

#include <cmath>

#include "draw/draw_text.h"
#include "draw/format_label.h"
#include "fonts/fonts.h"
#include "layout/to_pixel.h"

namespace {

int mantissa_width(const PowerLabel& label) {
  return static_cast<int>(label.mantissa.size()) * font6x12.w;
}

}  // namespace

int PowerLabel::width() const {
  return mantissa_width(*this) + static_cast<int>(exponent.size()) * font5x8.w;
}

PowerLabel decade_label(int e) {
  constexpr int last_written_out = 2;  // 100
  if (0 <= e && e <= last_written_out) return {format_int(to_pixel(std::pow(10.0, e))), ""};
  return {"10", format_int(e)};
}

void draw_power_label(gdImagePtr image, int black, const PowerLabel& label, int left, int top) {
  draw_text(image, font6x12, left, top, label.mantissa, black);
  draw_text(image, font5x8, left + mantissa_width(label), top - font5x8.h / 2, label.exponent,
            black);
}
