#pragma once

#include <cstdint>

#include "core/output_format.h"

// The parsed command line. Text fields are fixed-capacity, zero-terminated.
struct PlotOptions {
  char in_path[1024];
  char out_path[1024];
  double x_min;
  double x_max;
  unsigned char log_x;  // 1 = log10 scale, 0 = linear
  unsigned char log_y;
  char caption[64];
  int32_t size_x;
  int32_t size_y;
  int32_t sub_grid_x;  // negative: not given
  int32_t sub_grid_y;
  char dim_x[128];
  char dim_y[128];
  // Fields added after the original record; an old command line leaves them
  // at their defaults.
  char more_in_paths[3][1024];  // IN2=, IN3=, IN4=; empty: not given
  char names[4][128];           // NAME=, NAME2=, NAME3=, NAME4=: legend texts
  OutputFormat format;          // FORMAT=: GIF (the default) or PNG
  unsigned char fit;            // axes fitted to the data
  unsigned char x_axis_given;   // X_AXIS= was on the command line
  unsigned char phase;          // second panel with the phase
  unsigned char unwrap;         // phase jumps over 180 degrees removed
  char dim_p[128];              // name of the phase axis
};

// The number of response files one picture compares.
constexpr int max_inputs = 4;
