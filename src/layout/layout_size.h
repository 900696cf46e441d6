#pragma once

#include "core/plot_options.h"

// The report style's sizes are those of an 800 x 600 picture: a larger
// picture draws the same layout, text and lines magnified.
constexpr double report_reference_x = 800;
constexpr double report_reference_y = 600;

// The pixel sizes every picture keeps within (SIZE=).
constexpr int least_picture_x = 640;
constexpr int least_picture_y = 480;
constexpr int most_picture = 10000;

// A page with units (SIZE=85mmx60mm). SVG and PDF pages are points; their
// layout is reckoned in pixels at 96 per inch, as a pixel size's is.
constexpr double points_per_inch = 72;
constexpr double report_pixels_per_inch = 96;
constexpr double report_pixels_per_point = report_pixels_per_inch / points_per_inch;
// Below 2 x 1.5 inches the plot area has no room left beside its labels;
// above, a page larger than the largest pixel size at 96 per inch.
constexpr double least_page_w_pt = 144;
constexpr double least_page_h_pt = 108;
constexpr double most_page_pt = most_picture / report_pixels_per_point;
// A PNG or GIF with units and no DPI=: the usual resolution of print, for
// which such a figure is made.
constexpr int default_print_dpi = 300;
// The tick labels' text, layout units: FONT= sets its size in points by
// setting the scale, so that margins and every other text keep their
// proportion to it.
constexpr double report_label_size = 13;
// The fewest layout units FONT= may leave, as many tick labels high as
// ever (240 by 180 of labels 10 high), so that the largest FONT= a size
// takes is the same.
constexpr int least_layout_x = 312;
constexpr int least_layout_y = 234;

// Device pixels per point: DPI= (or print's) for a PNG or GIF with units,
// else 96 per inch.
inline double pixels_per_point(const PlotOptions& o) {
  bool raster_page = o.page_w_pt > 0 && !vector_format(o.format);
  if (!raster_page) return report_pixels_per_point;
  return (o.dpi > 0 ? o.dpi : default_print_dpi) / points_per_inch;
}

// Device pixels per layout unit that make the tick labels FONT= points.
inline double font_scale(const PlotOptions& o) {
  return o.font_pt * pixels_per_point(o) / report_label_size;
}

// A picture's size in layout units and the device pixels per unit.
struct LayoutSize {
  int x;
  int y;
  double scale;
};

// The size the picture is planned in: the fixed-cell style plans in its
// pixels; the report style in units of which the picture holds at least
// report_reference_x by report_reference_y, or with FONT= as many as
// the text size leaves.
LayoutSize layout_size(const PlotOptions& options);

// A width of `units` layout units, or LW= points when given.
inline double curve_line_width(const PlotOptions& o, double scale, double units) {
  if (!(o.line_pt > 0)) return units;
  return o.line_pt * pixels_per_point(o) / scale;
}
