#pragma once

#include <gd.h>

#include <string>
#include <vector>

#include "core/curve.h"
#include "core/plot_options.h"
#include "layout/legend_corner.h"
#include "layout/plot_area.h"

// The legend's names as shown and its box in each corner, whose weights
// the amplitude curves gather as they are drawn. With `shorten`, names too
// long for the area are cut with "..." so that every colour sample shows.
struct LegendPlan {
  std::vector<std::string> names;
  CornerWeights weights;
};
LegendPlan plan_legend(const PlotArea& area, const Legend& legend, bool shorten);

// Draws the legend, when it has entries, on a light grey box framed in black
// inside a corner of the area, over everything else: per entry a short line
// in its curve's colour and the name in black (font8x16). The automatic
// corner is automatic_corner's, from the weights gathered in `plan`.
// `curve_colors` holds the palette index of each curve.
void draw_legend(gdImagePtr image, const PlotArea& area, const Legend& legend,
                 const LegendPlan& plan, const std::vector<int>& curve_colors, int black,
                 int light_grey, LegendCorner corner);
