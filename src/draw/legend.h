#pragma once

#include <gd.h>

#include <vector>

#include "core/curve.h"
#include "core/plot_options.h"
#include "layout/plot_area.h"

// Draws the legend, when it has entries, on a light grey box framed in black
// inside a corner of the area: per entry a short line in its curve's colour
// and the name in black (font8x16). The automatic corner is the top right
// one, or the top left when fewer curve pixels lie there; it is drawn after
// the curves, which are counted in `image`. With `shorten`, names too long
// for the area are cut with "..." so that every colour sample shows.
// `curve_colors` holds the palette index of each curve.
void draw_legend(gdImagePtr image, const PlotArea& area, const Legend& legend,
                 const std::vector<int>& curve_colors, int black, int light_grey,
                 LegendCorner corner, bool shorten);
