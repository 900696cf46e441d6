#pragma once

#include "core/plot_options.h"

// The report style's sizes are those of an 800 x 600 picture: a larger
// picture draws the same layout, text and lines magnified.
constexpr double report_reference_x = 800;
constexpr double report_reference_y = 600;

// A picture's size in layout units and the device pixels per unit.
struct LayoutSize {
  int x;
  int y;
  double scale;
};

// The size the picture is planned in: the fixed-cell style plans in its
// pixels; the report style in units of which the picture holds at least
// report_reference_x by report_reference_y.
LayoutSize layout_size(const PlotOptions& options);
