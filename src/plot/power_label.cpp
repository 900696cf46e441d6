#include "plot/power_label.h"

#include "fonts/fonts.h"
#include "plot/draw_text.h"

namespace {

int mantissa_width(const PowerLabel& label) {
  return static_cast<int>(label.mantissa.size()) * font6x12.w;
}

}  // namespace

int PowerLabel::width() const {
  return mantissa_width(*this) + static_cast<int>(exponent.size()) * font5x8.w;
}

void draw_power_label(gdImagePtr image, int black, const PowerLabel& label, int left, int top) {
  draw_text(image, font6x12, left, top, label.mantissa, black);
  draw_text(image, font5x8, left + mantissa_width(label), top - font5x8.h / 2, label.exponent,
            black);
}
