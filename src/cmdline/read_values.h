#pragma once

#include "cmdline/parse_state.h"

// The readers of option values, one for each kind of value. Each takes the
// text after the key's equals sign, stores what it reads in the record and
// warns, naming s.key, when it could not use the value whole. `input` is
// the input a per-input key belongs to (0 for IN=, 1 for IN2= ...).
namespace read_value {

// A file name: backslashes become slashes; too long is a failure later.
void in_path(ParseState& s, const char* value, int input);
void phase_path(ParseState& s, const char* value, int input);
void out_path(ParseState& s, const char* value, int input);

// Texts drawn in the picture, cut to their limit in characters.
void caption(ParseState& s, const char* value, int input);
void dim_x(ParseState& s, const char* value, int input);
void dim_y(ParseState& s, const char* value, int input);
void dim_p(ParseState& s, const char* value, int input);
void dim_d(ParseState& s, const char* value, int input);
void dim_dp(ParseState& s, const char* value, int input);
void nyquist_name(ParseState& s, const char* value, int input);
void name(ParseState& s, const char* value, int input);

// Two numbers with any one character between, each stored as it is read.
void x_axis(ParseState& s, const char* value, int input);
void y_axis(ParseState& s, const char* value, int input);
void p_axis(ParseState& s, const char* value, int input);
void d_axis(ParseState& s, const char* value, int input);

void size(ParseState& s, const char* value, int input);
void sub_grid(ParseState& s, const char* value, int input);
void sub_grid_x(ParseState& s, const char* value, int input);
void sub_grid_y(ParseState& s, const char* value, int input);

// One of a few words.
void format(ParseState& s, const char* value, int input);
void legend(ParseState& s, const char* value, int input);
void units(ParseState& s, const char* value, int input);
void in_units(ParseState& s, const char* value, int input);

// Numbers above 0.
void tolerance(ParseState& s, const char* value, int input);
void norm(ParseState& s, const char* value, int input);
void nyquist(ParseState& s, const char* value, int input);

// Station metadata: which channel epoch, which stages, how evaluated.
void channel(ParseState& s, const char* value, int input);
void stages(ParseState& s, const char* value, int input);
void time(ParseState& s, const char* value, int input);
void delay(ParseState& s, const char* value, int input);
void gain(ParseState& s, const char* value, int input);
void points(ParseState& s, const char* value, int input);

// A figure for a document: FONT= and LW= in points, DPI= pixels per inch.
void font(ParseState& s, const char* value, int input);
void line_width(ParseState& s, const char* value, int input);
void dpi(ParseState& s, const char* value, int input);

}  // namespace read_value
