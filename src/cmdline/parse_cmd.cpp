#include "cmdline/parse_cmd.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "cmdline/print_usage.h"
#include "core/fail.h"
#include "core/scan_number.h"

namespace {

constexpr const char* help_switches[] = {"--help", "-help", "/help", "help", "--h",
                                         "-h",     "/h",    "--?",   "-?",   "/?"};

char fold(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Compares the first n bytes, folding only the ASCII letters; a shorter
// argument fails at its terminating zero.
bool equal_folded(const char* arg, const char* key, size_t n) {
  for (size_t i = 0; i < n; ++i) {
    if (fold(arg[i]) != fold(key[i])) return false;
    if (arg[i] == '\0') return true;
  }
  return true;
}

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
  if (o.size_x < 0 || o.size_y < 0) set_size(o, 800, 600);
  if (o.size_x < 640 || o.size_y < 480) set_size(o, 640, 480);
  if (o.size_x > 10000 || o.size_y > 10000) set_size(o, 800, 600);
}

void set_defaults(PlotOptions& o) {
  o.in_path[0] = o.out_path[0] = o.caption[0] = o.dim_x[0] = o.dim_y[0] = '\0';
  o.x_min = 0.001;
  o.x_max = 20.0;
  o.log_x = o.log_y = 1;
  o.size_x = 800;
  o.size_y = 600;
  o.sub_grid_x = o.sub_grid_y = -1;
  for (auto& path : o.more_in_paths) path[0] = '\0';
  for (auto& name : o.names) name[0] = '\0';
  o.format = OutputFormat::gif;
  o.fit = o.x_axis_given = o.phase = o.unwrap = 0;
  copy_text(o.dim_p, "Phase, deg");
}

// A switch in the style of -linX: "-name" or "/name", any letter case.
bool is_switch(const char* arg, const char* name) {
  return is_whole(arg, name) || (arg[0] == '/' && is_whole(arg + 1, name + 1));
}

// What the arguments leave behind besides the record itself.
struct ParseState {
  int32_t sub_grid = -1;
  bool in_fits = true;
  bool out_fits = true;
  bool more_in_fit[max_inputs - 1] = {true, true, true};
  bool format_known = true;
};

constexpr const char* more_in_keys[max_inputs - 1] = {"IN2=", "IN3=", "IN4="};
constexpr const char* name_keys[max_inputs] = {"NAME=", "NAME2=", "NAME3=", "NAME4="};

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
  for (int i = 0; i < max_inputs - 1; ++i) {
    if ((v = value_of(arg, more_in_keys[i]))) {
      s.more_in_fit[i] = copy_path(o.more_in_paths[i], v);
      return;
    }
  }
  for (int i = 0; i < max_inputs; ++i) {
    if ((v = value_of(arg, name_keys[i]))) {
      copy_text(o.names[i], v);
      return;
    }
  }
  if ((v = value_of(arg, "FORMAT="))) {
    scan_format(v, o, s);
  } else if ((v = value_of(arg, "DIMP="))) {
    copy_text(o.dim_p, v);
  } else if (is_switch(arg, "-fit")) {
    o.fit = 1;
  } else if (is_switch(arg, "-phase")) {
    o.phase = 1;
  } else if (is_switch(arg, "-unwrap")) {
    o.unwrap = 1;
  }
}

void apply(const char* arg, PlotOptions& o, ParseState& s) {
  const char* v;
  if ((v = value_of(arg, "IN="))) {
    s.in_fits = copy_path(o.in_path, v);
  } else if ((v = value_of(arg, "OUT="))) {
    s.out_fits = copy_path(o.out_path, v);
  } else if ((v = value_of(arg, "X_AXIS="))) {
    scan_double_pair(v, v + strlen(v), o.x_min, o.x_max);
    o.x_axis_given = 1;
  } else if (is_whole(arg, "-linX") || is_whole(arg, "/linX")) {
    o.log_x = 0;
  } else if (is_whole(arg, "-linY") || is_whole(arg, "/linY")) {
    o.log_y = 0;
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

// A missing file name is answered with the help text at once.
int fail_with_help(const char* message, int result) {
  print_usage();
  return fail(message, result);
}

// An infinite bound (a number beyond the double range) would make the
// decade loops endless, so it is refused with the reversed ranges.
bool x_range_usable(double x_min, double x_max) {
  return x_max >= x_min && x_min > 0 && x_max > 0 && std::isfinite(x_min) && std::isfinite(x_max);
}

}  // namespace

int parse_cmd(int argc, const char* const argv[], PlotOptions& options) {
  if (argc < 3) return fail("parse_cmd(): Few parameters", -1);
  set_defaults(options);
  ParseState state;
  for (int i = 1; i < argc; ++i) {
    if (is_help_switch(argv[i])) {
      print_usage();
      std::exit(0);
    }
    apply(argv[i], options, state);
  }
  if (options.sub_grid_x < 0) options.sub_grid_x = state.sub_grid;
  if (options.sub_grid_y < 0) options.sub_grid_y = state.sub_grid;

  if (options.in_path[0] == '\0')
    return fail_with_help("parse_cmd(): Input filename not found", -2);
  if (!state.in_fits) return fail("parse_cmd(): Input filename too long", -2);
  if (options.out_path[0] == '\0')
    return fail_with_help("parse_cmd(): Output filename not found", -3);
  if (!state.out_fits) return fail("parse_cmd(): Output filename too long", -3);
  for (int i = 0; i < max_inputs - 1; ++i) {
    if (!state.more_in_fit[i]) {
      last_error = std::string("parse_cmd(): Input filename too long: ") + more_in_keys[i];
      return -2;
    }
  }
  if (!x_range_usable(options.x_min, options.x_max)) {
    return fail("parse_cmd(): Incorrect [FREQ=] value", -4);
  }
  if (!state.format_known) return fail("parse_cmd(): Incorrect [FORMAT=] value", -5);
  return 0;
}
