#include "draw/fit_axis.h"

#include <algorithm>
#include <cmath>

#include "draw/axis_grid.h"
#include "fonts/fonts.h"
#include "layout/choose_labels.h"
#include "layout/to_pixel.h"

namespace {

bool horizontal(Orientation orientation) {
  return orientation == Orientation::horizontal;
}

// The left column of a label `width` wide, kept inside the picture: a wide
// number centred on a line near the right edge would be cut off.
int inside_picture(int left, int width, int picture_width) {
  return std::max(0, std::min(left, picture_width - width));
}

PlacedLabel place(const PlotArea& area, Orientation orientation, PowerLabel text, int pixel,
                  int picture_width) {
  int width = text.width();
  int raise = text.exponent.empty() ? 0 : font5x8.h / 2;
  if (horizontal(orientation)) {
    int left = inside_picture(pixel - floor_half(width), width, picture_width);
    return {std::move(text), left, area.bottom + label_gap, left, left + width};
  }
  int top = pixel - font6x12.h / 2;
  int left = inside_picture(area.left - label_right_gap - width, width, picture_width);
  return {std::move(text), left, top, top - raise, top + font6x12.h};
}

// A line whose position does not fit the area (its axis scale beyond the
// double range) gets no label.
bool on_area(const PlotArea& area, Orientation orientation, int pixel) {
  if (horizontal(orientation)) return area.left - 1 <= pixel && pixel <= area.right + 1;
  return area.top - 1 <= pixel && pixel <= area.bottom + 1;
}

}  // namespace

std::vector<PlacedLabel> place_tick_labels(const PlotArea& area, Orientation orientation,
                                           const TickRule& rule, int picture_width) {
  const AxisScale& axis = horizontal(orientation) ? area.x : area.y;
  std::vector<Tick> ticks = axis_ticks(rule, axis);
  auto placed = choose_labels<PlacedLabel>(ticks, [&](Tick& t) -> std::optional<PlacedLabel> {
    int pixel = tick_pixel(area, orientation, t.value);
    if (!on_area(area, orientation, pixel)) return std::nullopt;
    return place(area, orientation, std::move(t.label), pixel, picture_width);
  });
  std::sort(placed.begin(), placed.end(),
            [](const PlacedLabel& a, const PlacedLabel& b) { return a.from < b.from; });
  return placed;
}

void draw_fit_grid(gdImagePtr image, int black, const PlotArea& area, Orientation orientation,
                   const TickRule& rule, int sub_grid) {
  bool across = horizontal(orientation);
  const AxisScale& axis = across ? area.x : area.y;
  if (axis.log) draw_log_grid(image, black, area, orientation, sub_grid, true);
  for_each_tick(rule, axis.min, axis.max, [&](double v, int rank) {
    if (axis.log && rank == 0) return;
    int pixel = tick_pixel(area, orientation, v);
    bool inside =
        across ? area.left < pixel && pixel < area.right : area.top < pixel && pixel < area.bottom;
    if (inside) draw_grid_line(image, black, area, orientation, pixel, true);
  });
}

void draw_fit_labels(gdImagePtr image, int black, const PlotArea& area, Orientation orientation,
                     const TickRule& rule) {
  for (const PlacedLabel& label : place_tick_labels(area, orientation, rule, gdImageSX(image))) {
    draw_power_label(image, black, label.text, label.left, label.top);
  }
}
