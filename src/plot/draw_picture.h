#pragma once

#include "core/output_format.h"
#include "plot/curve.h"

// What a picture shows besides its curves; the values of the PlotOptions
// fields of the same names. The fields after `format` belong to -fit and
// -phase; a picture without them leaves them at these defaults.
struct PictureSettings {
  double x_min;
  double x_max;
  bool log_x;
  bool log_y;
  const char* caption;
  int size_x;
  int size_y;
  int sub_grid_x;
  int sub_grid_y;
  const char* dim_x;
  const char* dim_y;
  OutputFormat format;
  bool fit = false;          // axes fitted to the data
  bool x_axis_given = true;  // with fit: keep x_min ... x_max
  bool phase = false;        // the phase panel below the amplitude
  bool unwrap = false;       // phase jumps over 180 degrees removed
  const char* dim_p = "";    // the phase axis name
};

// Draws the curves, in list order, on one plot of size_x by size_y pixels
// with the legend, and writes it to `out_path` in the chosen format; the
// file is touched only once the picture is complete. The amplitude range is
// that of all curves together (find_common_amplitude_range). With `phase`
// a second area below the amplitude one shows each curve's phases in the
// curve's colour; with `fit` the axes are fitted to the data. `curves` (not
// empty, no curve without points) is taken by value and each curve's
// points are released once it is drawn. Returns 0, or with the reason in
// last_error:
//   -1 the amplitude range is not positive (with fit and a linear
//      amplitude axis any range is drawn);
//   -2 the mapping refused an axis range ("draw_gif()-> " and its message);
//   -3 the picture could not be made or the file written.
int draw_picture(const char* out_path, CurveList curves, const Legend& legend,
                 const PictureSettings& settings);
