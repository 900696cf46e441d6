#pragma once

// Where a picture's plot lies and what its two axes show. Built and checked
// once per picture, before anything is drawn, and read by the grid, the
// labels and the curve alike.

// The margins of the standard picture around its one plot area; the frame
// is drawn just outside the area.
constexpr int left_margin = 60;    // room for the amplitude labels
constexpr int top_margin = 60;     // room for the caption
constexpr int right_margin = 20;   // between the plot area and the image's right edge
constexpr int bottom_margin = 40;  // room for the frequency labels and the axis name

// Amplitude labels end this many columns left of the plot area, two columns
// clear of the frame.
constexpr int label_right_gap = 4;
// Frequency labels start this many rows below the plot area.
constexpr int label_gap = 6;

// The upright Y axis names: their column's left edge, and their height
// there (the font8x16 cell, turned; a test holds it to the font).
constexpr int axis_name_left = 10;
constexpr int axis_name_height = 16;

// The range of one axis and its scale over the area's span on that axis.
struct AxisScale {
  double min = 0;
  double max = 0;
  bool log = true;   // log10 scale, else linear
  double scale = 0;  // pixels per decade (log10) or per unit (linear); 0: not drawable
};

// A plot area's edges, inside the frame and all included, and its spans
// (right - left, bottom - top), onto which the axis ranges are mapped.
struct PlotArea {
  int left = left_margin;
  int top = top_margin;
  int right = 0;
  int bottom = 0;
  int width = 0;
  int height = 0;
  AxisScale x;
  AxisScale y;
};

// The area between the given edges, with no axes yet.
PlotArea plot_area_between(int left, int top, int right, int bottom);

// The plot area of a size_x by size_y picture.
PlotArea standard_plot_area(int size_x, int size_y);

// The range [min, max] on a log10 or linear scale over `span` pixels. The
// scale is 0 when the range cannot be drawn so: an empty or reversed range,
// or on log10 a bound not above 0 or a span of decades that is not finite.
AxisScale axis_scale(double min, double max, bool log, int span);

// Gives the area its two axes, X checked first. Returns 0, or -1 (X) or -2
// (Y) when a range cannot be drawn on its scale, with the axis's message in
// last_error (message::x_log_refused and the others).
int set_axes(PlotArea& area, double x_min, double x_max, bool log_x, double y_min, double y_max,
             bool log_y);
