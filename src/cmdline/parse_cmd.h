#pragma once

#include <string>

#include "cmdline/parse_state.h"
#include "core/plot_options.h"

// What parse_cmd found besides a usable command line (0).
constexpr int help_wanted = 1;       // a help switch: print the help text, status 0
constexpr int few_parameters = -1;   // fewer than two arguments
constexpr int no_input_file = -2;    // no IN=: the help text goes before the message too
constexpr int no_output_file = -3;   // no OUT=: likewise
constexpr int bad_x_range = -4;      // X_AXIS= unusable
constexpr int bad_format = -5;       // FORMAT= none of GIF, PNG, SVG, PDF (any letter case)
constexpr int path_too_long = -6;    // a file name longer than its field
constexpr int bad_y_range = -7;      // Y_AXIS= unusable on the amplitude scale
constexpr int bad_p_range = -8;      // P_AXIS= unusable
constexpr int bad_legend = -9;       // LEGEND= none of TL, TR, BL, BR, AUTO
constexpr int strict_warning = -10;  // -strict and a warning: the first one
constexpr int bad_d_range = -11;     // D_AXIS= unusable
constexpr int bad_tolerance = -12;   // TOL= not one or two numbers above 0, or nothing to judge
constexpr int bad_conversion = -13;  // UNITS=, IN_UNITS=, NORM= or NYQUIST= unusable
constexpr int bad_metadata = -14;    // CHANNEL=, STAGES=, TIME=, DELAY=, GAIN= or POINTS= unusable

// Fills `options` from the argument list (argv[0] is the program's name)
// and `warnings` with what it ignored, every option read by its entry in
// option_keys. Returns 0, help_wanted (a help switch, also alone), or one
// of the failures above with the message in last_error and, where the
// message alone does not say it, the reason in `reason`. Prints nothing:
// what the user sees is the driver's to say.
int parse_cmd(int argc, const char* const argv[], PlotOptions& options, Warnings& warnings,
              std::string* reason = nullptr);
