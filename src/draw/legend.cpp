#include "draw/legend.h"

#include <algorithm>
#include <cstring>
#include <string>

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

Box legend_box(const PlotArea& area, const std::vector<std::string>& names, LegendCorner corner) {
  size_t longest = 0;
  for (const std::string& name : names) longest = std::max(longest, text_cells(name));
  int rows = static_cast<int>(names.size());
  int width =
      2 * legend_padding + sample_length + sample_gap + static_cast<int>(longest) * font8x16.w;
  int height = 2 * legend_padding + rows * font8x16.h + (rows - 1) * row_gap;
  bool left = corner == LegendCorner::top_left || corner == LegendCorner::bottom_left;
  bool bottom = corner == LegendCorner::bottom_left || corner == LegendCorner::bottom_right;
  int x0 = left ? area.left + legend_inset : area.right - legend_inset - width;
  int y0 = bottom ? area.bottom - legend_inset - height : area.top + legend_inset;
  return {x0, y0, x0 + width, y0 + height};
}

// The names as shown: with `shorten`, a name too long for the box to fit
// the area ends in "..." where it is cut, so that no colour sample is lost.
std::vector<std::string> shown_names(const PlotArea& area, const Legend& legend, bool shorten) {
  int room = area.width - 2 * legend_inset - 2 * legend_padding - sample_length - sample_gap;
  size_t most = room > 0 ? static_cast<size_t>(room / font8x16.w) : 0;
  std::vector<std::string> names;
  for (const LegendEntry& e : legend) names.push_back(shorten ? shortened(e.name, most) : e.name);
  return names;
}

void draw_rows(gdImagePtr image, const Box& b, const Legend& legend,
               const std::vector<std::string>& names, const std::vector<int>& curve_colors,
               int black) {
  int x = b.x0 + legend_padding;
  int y = b.y0 + legend_padding;
  for (size_t i = 0; i < legend.size(); ++i) {
    int color = curve_colors[legend[i].curve];
    int middle = y + font8x16.h / 2;
    // Two rows thick, to show the colour better than the one-pixel curve.
    gdImageLine(image, x, middle - 1, x + sample_length - 1, middle - 1, color);
    gdImageLine(image, x, middle, x + sample_length - 1, middle, color);
    draw_text(image, font8x16, x + sample_length + sample_gap, y, names[i], black);
    y += font8x16.h + row_gap;
  }
}

}  // namespace

LegendPlan plan_legend(const PlotArea& area, const Legend& legend, bool shorten) {
  LegendPlan plan;
  plan.names = shown_names(area, legend, shorten);
  for (LegendCorner corner : {LegendCorner::top_right, LegendCorner::top_left,
                              LegendCorner::bottom_right, LegendCorner::bottom_left}) {
    Box b = legend_box(area, plan.names, corner);
    plan.weights.boxes[corner_index(corner)] = {
        static_cast<double>(b.x0), static_cast<double>(b.y0), static_cast<double>(b.x1),
        static_cast<double>(b.y1)};
  }
  return plan;
}

// Long names would push the box past the frame: it is clipped to the area.
void draw_legend(gdImagePtr image, const PlotArea& area, const Legend& legend,
                 const LegendPlan& plan, const std::vector<int>& curve_colors, int black,
                 int light_grey, LegendCorner corner) {
  if (legend.empty()) return;
  if (corner == LegendCorner::automatic) corner = automatic_corner(plan.weights);
  Box b = legend_box(area, plan.names, corner);
  int cx1, cy1, cx2, cy2;
  gdImageGetClip(image, &cx1, &cy1, &cx2, &cy2);
  gdImageSetClip(image, area.left, area.top, area.right, area.bottom);
  fill_area(image, b.x0, b.y0, b.x1, b.y1, light_grey);
  gdImageRectangle(image, b.x0, b.y0, b.x1, b.y1, black);
  draw_rows(image, b, legend, plan.names, curve_colors, black);
  gdImageSetClip(image, cx1, cy1, cx2, cy2);
}
