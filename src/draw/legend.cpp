#include "draw/legend.h"

#include <algorithm>
#include <cstring>

#include "draw/draw_text.h"
#include "draw/fill_area.h"
#include "fonts/fonts.h"

namespace {

constexpr int legend_inset = 10;   // between the plot area's edges and the box
constexpr int legend_padding = 6;  // inside the frame, around the rows
constexpr int sample_length = 24;  // the short line showing a curve's colour
constexpr int sample_gap = 6;      // between that line and the name
constexpr int row_gap = 2;         // between two rows of font8x16

// A box by its corners, both included.
struct Box {
  int x0, y0, x1, y1;
};

Box legend_box(const PlotArea& area, const Legend& legend, bool at_left) {
  size_t longest = 0;
  for (const LegendEntry& e : legend) longest = std::max(longest, strlen(e.name));
  int rows = static_cast<int>(legend.size());
  int width =
      2 * legend_padding + sample_length + sample_gap + static_cast<int>(longest) * font8x16.w;
  int height = 2 * legend_padding + rows * font8x16.h + (rows - 1) * row_gap;
  int y0 = area.top + legend_inset;
  if (at_left) {
    int x0 = area.left + legend_inset;
    return {x0, y0, x0 + width, y0 + height};
  }
  int x1 = area.right - legend_inset;
  return {x1 - width, y0, x1, y0 + height};
}

// Pixels of any curve colour inside the box, as far as it lies on the image.
long curve_pixels(gdImagePtr image, const Box& b, const std::vector<int>& curve_colors) {
  long count = 0;
  for (int y = std::max(b.y0, 0); y <= std::min(b.y1, gdImageSY(image) - 1); ++y) {
    for (int x = std::max(b.x0, 0); x <= std::min(b.x1, gdImageSX(image) - 1); ++x) {
      int c = gdImageGetPixel(image, x, y);
      if (std::find(curve_colors.begin(), curve_colors.end(), c) != curve_colors.end()) ++count;
    }
  }
  return count;
}

void draw_rows(gdImagePtr image, const Box& b, const Legend& legend,
               const std::vector<int>& curve_colors, int black) {
  int x = b.x0 + legend_padding;
  int y = b.y0 + legend_padding;
  for (const LegendEntry& e : legend) {
    int color = curve_colors[e.curve];
    int middle = y + font8x16.h / 2;
    // Two rows thick, to show the colour better than the one-pixel curve.
    gdImageLine(image, x, middle - 1, x + sample_length - 1, middle - 1, color);
    gdImageLine(image, x, middle, x + sample_length - 1, middle, color);
    draw_text(image, font8x16, x + sample_length + sample_gap, y, e.name, black);
    y += font8x16.h + row_gap;
  }
}

}  // namespace

// Long names would push the box past the frame: it is clipped to the area.
void draw_legend(gdImagePtr image, const PlotArea& area, const Legend& legend,
                 const std::vector<int>& curve_colors, int black, int light_grey) {
  if (legend.empty()) return;
  Box right = legend_box(area, legend, false);
  Box left = legend_box(area, legend, true);
  bool at_left = curve_pixels(image, left, curve_colors) < curve_pixels(image, right, curve_colors);
  Box b = at_left ? left : right;
  int cx1, cy1, cx2, cy2;
  gdImageGetClip(image, &cx1, &cy1, &cx2, &cy2);
  gdImageSetClip(image, area.left, area.top, area.right, area.bottom);
  fill_area(image, b.x0, b.y0, b.x1, b.y1, light_grey);
  gdImageRectangle(image, b.x0, b.y0, b.x1, b.y1, black);
  draw_rows(image, b, legend, curve_colors, black);
  gdImageSetClip(image, cx1, cy1, cx2, cy2);
}
