#include "cmdline/parse_cmd.h"

#include <cmath>
#include <cstring>
#include <string>

#include "cmdline/ascii_case.h"
#include "core/fail.h"
#include "core/messages.h"
#include "core/scan_number.h"

namespace {

constexpr const char* help_switches[] = {"--help", "-help", "/help", "help", "--h",
                                         "-h",     "/h",    "--?",   "-?",   "/?"};

// The picture sizes SIZE= may ask for, and what it falls back to.
constexpr int32_t default_size_x = 800;
constexpr int32_t default_size_y = 600;
constexpr int32_t least_size_x = 640;  // a smaller size is raised to this one
constexpr int32_t least_size_y = 480;
constexpr int32_t most_size = 10000;  // a larger one falls back to the default

constexpr double default_x_min = 0.001;
constexpr double default_x_max = 20.0;
constexpr int32_t no_sub_grid = -1;
constexpr char default_dim_p[] = "Phase, deg";

bool is_whole(const char* arg, const char* key) {
  return equal_folded(arg, key, strlen(key) + 1);
}

// The rest of `arg` after `key` (which ends with its equals sign), or nullptr.
const char* value_of(const char* arg, const char* key) {
  size_t n = strlen(key);
  return equal_folded(arg, key, n) ? arg + n : nullptr;
}

// Copies as much of `value` as the field holds; returns false when it was cut.
template <size_t N>
bool copy_text(char (&field)[N], const char* value) {
  size_t n = strnlen(value, N);
  bool fits = n < N;
  if (!fits) n = N - 1;
  memcpy(field, value, n);
  field[n] = '\0';
  return fits;
}

template <size_t N>
bool copy_path(char (&field)[N], const char* value) {
  bool fits = copy_text(field, value);
  for (char* p = field; *p; ++p) {
    if (*p == '\\') *p = '/';
  }
  return fits;
}

void set_size(PlotOptions& o, int32_t x, int32_t y) {
  o.size_x = x;
  o.size_y = y;
}

void scan_size(const char* value, PlotOptions& o) {
  int32_t x = -1;
  int32_t y = -1;
  scan_int_pair(value, value + strlen(value), x, y);
  set_size(o, x, y);
  if (o.size_x < 0 || o.size_y < 0) set_size(o, default_size_x, default_size_y);
  if (o.size_x < least_size_x || o.size_y < least_size_y) set_size(o, least_size_x, least_size_y);
  if (o.size_x > most_size || o.size_y > most_size) set_size(o, default_size_x, default_size_y);
}

void set_defaults(PlotOptions& o) {
  o = PlotOptions{};
  o.x_min = default_x_min;
  o.x_max = default_x_max;
  o.log_x = o.log_y = true;
  set_size(o, default_size_x, default_size_y);
  o.sub_grid_x = o.sub_grid_y = no_sub_grid;
  o.format = OutputFormat::gif;
  copy_text(o.dim_p, default_dim_p);
}

// A switch in the style of -linX: "-name" or "/name", any letter case.
bool is_switch(const char* arg, const char* name) {
  return is_whole(arg, name) || (arg[0] == '/' && is_whole(arg + 1, name + 1));
}

// What the arguments leave behind besides the record itself.
struct ParseState {
  int32_t sub_grid = no_sub_grid;
  bool in_fits[max_inputs];
  bool out_fits = true;
  bool format_known = true;
  ParseState() {
    for (bool& fits : in_fits) fits = true;
  }
};

void scan_format(const char* value, PlotOptions& o, ParseState& s) {
  s.format_known = true;
  if (is_whole(value, "GIF")) {
    o.format = OutputFormat::gif;
  } else if (is_whole(value, "PNG")) {
    o.format = OutputFormat::png;
  } else {
    s.format_known = false;
  }
}

// The keys of the comparison picture, its output format, the fitted axes
// and the phase panel, none of which the original command line knew.
void apply_added(const char* arg, PlotOptions& o, ParseState& s) {
  const char* v;
  for (int i = 1; i < max_inputs; ++i) {
    if ((v = value_of(arg, input_keys[i].in_key))) {
      s.in_fits[i] = copy_path(o.more_in_paths[i - 1], v);
      return;
    }
  }
  for (int i = 0; i < max_inputs; ++i) {
    if ((v = value_of(arg, input_keys[i].name_key))) {
      copy_text(o.names[i], v);
      return;
    }
  }
  if ((v = value_of(arg, "FORMAT="))) {
    scan_format(v, o, s);
  } else if ((v = value_of(arg, "DIMP="))) {
    copy_text(o.dim_p, v);
  } else if (is_switch(arg, "-fit")) {
    o.fit = true;
  } else if (is_switch(arg, "-phase")) {
    o.phase = true;
  } else if (is_switch(arg, "-unwrap")) {
    o.unwrap = true;
  }
}

void apply(const char* arg, PlotOptions& o, ParseState& s) {
  const char* v;
  if ((v = value_of(arg, input_keys[0].in_key))) {
    s.in_fits[0] = copy_path(o.in_path, v);
  } else if ((v = value_of(arg, "OUT="))) {
    s.out_fits = copy_path(o.out_path, v);
  } else if ((v = value_of(arg, "X_AXIS="))) {
    scan_double_pair(v, v + strlen(v), o.x_min, o.x_max);
    o.x_axis_given = true;
  } else if (is_whole(arg, "-linX") || is_whole(arg, "/linX")) {
    o.log_x = false;
  } else if (is_whole(arg, "-linY") || is_whole(arg, "/linY")) {
    o.log_y = false;
  } else if ((v = value_of(arg, "CAPTION="))) {
    copy_text(o.caption, v);
  } else if ((v = value_of(arg, "SIZE="))) {
    scan_size(v, o);
  } else if ((v = value_of(arg, "SUB_GRID="))) {
    s.sub_grid = decimal_value(v);
  } else if ((v = value_of(arg, "SUB_GRIDX="))) {
    o.sub_grid_x = decimal_value(v);
  } else if ((v = value_of(arg, "SUB_GRIDY="))) {
    o.sub_grid_y = decimal_value(v);
  } else if ((v = value_of(arg, "DIMX="))) {
    copy_text(o.dim_x, v);
  } else if ((v = value_of(arg, "DIMY="))) {
    copy_text(o.dim_y, v);
  } else {
    apply_added(arg, o, s);
  }
}

bool is_help_switch(const char* arg) {
  for (const char* h : help_switches) {
    if (is_whole(arg, h)) return true;
  }
  return false;
}

// An infinite bound (a number beyond the double range) would make the
// decade loops endless, so it is refused with the reversed ranges.
bool x_range_usable(double x_min, double x_max) {
  return x_max >= x_min && x_min > 0 && x_max > 0 && std::isfinite(x_min) && std::isfinite(x_max);
}

// The checks, in the order in which the first version made them.
int validate(const PlotOptions& o, const ParseState& s) {
  if (o.in_path[0] == '\0') return fail(message::no_input_file, no_input_file);
  if (!s.in_fits[0]) return fail(message::input_too_long, path_too_long);
  if (o.out_path[0] == '\0') return fail(message::no_output_file, no_output_file);
  if (!s.out_fits) return fail(message::output_too_long, path_too_long);
  for (int i = 1; i < max_inputs; ++i) {
    if (!s.in_fits[i]) {
      last_error = std::string(message::input_too_long) + ": " + input_keys[i].in_key;
      return path_too_long;
    }
  }
  if (!x_range_usable(o.x_min, o.x_max)) return fail(message::bad_x_range, bad_x_range);
  if (!s.format_known) return fail(message::bad_format, bad_format);
  return 0;
}

}  // namespace

int parse_cmd(int argc, const char* const argv[], PlotOptions& options) {
  if (argc < 3) return fail(message::few_parameters, few_parameters);
  set_defaults(options);
  ParseState state;
  for (int i = 1; i < argc; ++i) {
    if (is_help_switch(argv[i])) return help_wanted;
    apply(argv[i], options, state);
  }
  if (options.sub_grid_x < 0) options.sub_grid_x = state.sub_grid;
  if (options.sub_grid_y < 0) options.sub_grid_y = state.sub_grid;
  return validate(options, state);
}
