#pragma once

#include "cmdline/plot_options.h"

// Fills `options` from the argument list (argv[0] is the program's name).
// Returns 0, or with the reason in last_error:
//   -1 fewer than two arguments;
//   -2 no input file named (help text printed), or a name too long;
//   -3 no output file named (help text printed), or its name too long;
//   -4 the X range is unusable;
//   -5 the FORMAT= value is neither GIF nor PNG (any letter case).
// A help switch prints the help text and ends the process with status 0.
int parse_cmd(int argc, const char* const argv[], PlotOptions& options);
