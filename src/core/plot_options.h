#pragma once

#include <cstdint>
#include <string>

#include "core/inputs.h"
#include "core/output_format.h"

// Where the legend goes: the top corner with less curve under it and no
// lone point (automatic_corner), or the one named by LEGEND=.
enum class LegendCorner : unsigned char {
  automatic,
  top_left,
  top_right,
  bottom_left,
  bottom_right
};

// The most characters of each text drawn, and the capacities of the text
// fields, terminating zero included: a UTF-8 character takes up to 4 bytes.
constexpr int path_capacity = 1024;
constexpr int caption_chars = 63;
constexpr int name_chars = 127;  // axis names and legend texts
constexpr int utf8_most_bytes = 4;
constexpr int caption_capacity = utf8_most_bytes * caption_chars + 1;
constexpr int name_capacity = utf8_most_bytes * name_chars + 1;
constexpr int channel_capacity = 64;  // NET.STA.LOC.CHA with wildcards
constexpr int time_capacity = 32;     // "2010-01-01T06:54:32.000000"

// The parsed command line, read by every stage after it. Text fields are
// fixed-capacity, zero-terminated.
struct PlotOptions {
  char in_path[path_capacity];
  char out_path[path_capacity];
  double x_min;
  double x_max;
  bool log_x;  // log10 scale, else linear
  bool log_y;
  char caption[caption_capacity];
  int32_t size_x;
  int32_t size_y;
  int32_t sub_grid_x;  // negative: not given
  int32_t sub_grid_y;
  char dim_x[name_capacity];
  char dim_y[name_capacity];
  // Fields added after the original record; an old command line leaves them
  // at their defaults.
  char more_in_paths[max_inputs - 1][path_capacity];  // IN2= ...; empty: not given
  char names[max_inputs][name_capacity];              // NAME= ...: legend texts
  OutputFormat format;        // FORMAT=: GIF (the default), PNG, SVG, PDF or FAP
  bool fit;                   // axes fitted to the data
  bool x_axis_given;          // X_AXIS= was on the command line
  bool phase;                 // second panel with the phase
  bool unwrap;                // phase jumps over 180 degrees removed
  char dim_p[name_capacity];  // name of the phase axis
  double y_min;               // Y_AXIS=: the amplitude range
  double y_max;
  bool y_axis_given;
  double p_min;  // P_AXIS=: the phase range, degrees
  double p_max;
  bool p_axis_given;
  LegendCorner legend_corner;  // LEGEND=
  bool strict;                 // -strict: a warning fails the run
  bool diff;                   // -diff: the deviation from IN= below the other panels
  double d_min;                // D_AXIS=: the deviation range, dB
  double d_max;
  bool d_axis_given;
  double tol_db;  // TOL=: the tolerance, dB and degrees; the verdict
  double tol_deg;
  bool tol_given;
  bool tol_deg_given;
  // UNITS=: 0 displacement, 1 velocity, 2 acceleration, -1 not given.
  // UNITS=to alone leaves units_from at -1: a text file is already in `to`.
  int units_from;
  int units_to;
  int in_units[max_inputs];  // IN_UNITS=, IN2_UNITS= ...: a text file's own units; -1 not given
  double norm_f;             // NORM=: the frequency each curve is normalised at; 0 not given
  bool db;                   // -dB: amplitudes in decibels on a linear axis
  double nyquist;            // NYQUIST=: the digitiser's sampling rate; 0 not given
  char phase_paths[max_inputs][path_capacity];  // PHASE= ...; empty: the third column
  bool report;  // -report, FORMAT=SVG|PDF: anti-aliased, scalable text, vector output
  // The picture's fixed words, so that a picture in another language holds
  // no English: DIMD=, DIMDP=, NYQUIST_NAME=.
  char dim_d[name_capacity];         // "Deviation, dB"
  char dim_dp[name_capacity];        // "Deviation, deg"
  char nyquist_name[name_capacity];  // "Nyquist"
  // Station metadata (RESP, StationXML): which channel epoch of each file,
  // which of its stages, and how it is evaluated.
  char channels[max_inputs][channel_capacity];  // CHANNEL= ...: NET.STA.LOC.CHA; empty: any
  int32_t stages[max_inputs][2];                // STAGES=a[,b]: first and last; 0: all
  char time[time_capacity];                     // TIME=, in the form of normal_time; empty: any
  bool estimated_delay;                         // DELAY=estimated
  bool stated_gain;                             // GAIN=stated
  int32_t points;                               // POINTS=n: computed responses at n frequencies
  // A figure for a document, report style only; 0: not given.
  double font_pt;    // FONT=: tick label text size, points
  double line_pt;    // LW=: curve width, points
  double page_w_pt;  // SIZE= with units: the page, points
  double page_h_pt;
  int32_t dpi;  // DPI=: pixels per inch of a physically sized PNG
};

// The drawing that follows the data and the ranges asked for: curves cut
// at the frame, sub-grids over partial decades, labels on narrow ranges.
// The picture of a command line without these options stays as it was; a
// report picture is a new one and follows them too.
inline bool fitted_picture(const PlotOptions& o) {
  return o.fit || o.y_axis_given || o.p_axis_given || o.diff || o.db || o.report;
}

// The path given with input_keys[input].in_key, empty when not given.
inline const char* input_path(const PlotOptions& o, int input) {
  return input == 0 ? o.in_path : o.more_in_paths[input - 1];
}

// An input as messages name it: its key and path, "IN2=b.txt".
inline std::string key_and_path(const PlotOptions& o, int input) {
  return std::string(input_keys[input].in_key) + input_path(o, input);
}
