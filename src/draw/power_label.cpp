#include "draw/power_label.h"

#include "draw/draw_text.h"
#include "fonts/fonts.h"

void draw_power_label(gdImagePtr image, int black, const PowerLabel& label, int left, int top) {
  draw_text(image, font6x12, left, top, label.mantissa, black);
  int mantissa_width = static_cast<int>(label.mantissa.size()) * font6x12.w;
  draw_text(image, font5x8, left + mantissa_width, top - font5x8.h / 2, label.exponent, black);
}
