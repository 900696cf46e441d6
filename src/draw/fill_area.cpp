#include "draw/fill_area.h"

#include <algorithm>
#include <cstring>

void fill_area(gdImagePtr im, int x1, int y1, int x2, int y2, int color) {
  if (im->trueColor) {
    gdImageFilledRectangle(im, x1, y1, x2, y2, color);
    return;
  }
  int left = std::max(std::min(x1, x2), im->cx1);
  int right = std::min(std::max(x1, x2), im->cx2);
  int top = std::max(std::min(y1, y2), im->cy1);
  int bottom = std::min(std::max(y1, y2), im->cy2);
  if (left > right) return;
  for (int y = top; y <= bottom; ++y) {
    memset(im->pixels[y] + left, color, static_cast<size_t>(right - left + 1));
  }
}
