#pragma once

#include "plot/curve.h"

// What the picture shows besides the curves: draw_gif's options and those
// of -fit and -phase.
struct PictureOptions {
  double x_min = 0.001;
  double x_max = 20.0;
  bool log_x = true;
  bool log_y = true;
  const char* caption = "";
  int size_x = 800;
  int size_y = 600;
  int sub_grid_x = -1;
  int sub_grid_y = -1;
  const char* dim_x = "";
  const char* dim_y = "";
  bool fit = false;          // axes fitted to the data
  bool x_axis_given = true;  // with fit: keep x_min ... x_max
  bool phase = false;        // the phase panel below the amplitude
  bool unwrap = false;       // phase jumps over 180 degrees removed
  const char* dim_p = "Phase, deg";
};

// Draws the curves (at least one, each with points) as draw_gif does and
// writes the GIF to `out_path`. The curves' lists are released before
// returning. Returns 0, or what draw_gif returns, with the same messages.
int draw_picture(const char* out_path, CurveList& curves, const PictureOptions& options);
