#pragma once

#include "core/file_identity.h"
#include "core/response_point.h"

// Draws the response as a palette GIF of size_x by size_y pixels and writes
// it to `out_path`; the file is touched only once the picture is complete.
// `points` (not empty) is taken by value and released before returning.
// `input`, the file the points were read from, is never written over.
// Returns 0, or with the reason in last_error:
//   -1 the amplitude range is not positive;
//   -2 the mapping refused an axis range ("draw_gif()-> " and its message);
//   -3 the picture could not be made or the file written.
int draw_gif(const char* out_path, PointList points, double x_min, double x_max, bool log_x,
             bool log_y, const char* caption, int size_x, int size_y, int sub_grid_x,
             int sub_grid_y, const char* dim_x, const char* dim_y, const FileIdentity& input = {});
