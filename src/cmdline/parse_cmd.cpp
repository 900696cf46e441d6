#include "cmdline/parse_cmd.h"

#include <cmath>
#include <cstring>
#include <string>

#include "cmdline/nearest_key.h"
#include "core/ascii_case.h"
#include "core/fail.h"
#include "core/fixed_words.h"
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

bool scan_size(const char* value, PlotOptions& o) {
  int32_t x = -1;
  int32_t y = -1;
  int read = scan_int_pair(value, value + strlen(value), x, y);
  set_size(o, x, y);
  if (o.size_x < 0 || o.size_y < 0) set_size(o, default_size_x, default_size_y);
  if (o.size_x < least_size_x || o.size_y < least_size_y) set_size(o, least_size_x, least_size_y);
  if (o.size_x > most_size || o.size_y > most_size) set_size(o, default_size_x, default_size_y);
  return read == 2 && o.size_x == x && o.size_y == y;
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
  o.units_from = o.units_to = -1;
  for (int& u : o.in_units) u = -1;
  copy_text(o.dim_d, fixed_word::deviation_db);
  copy_text(o.dim_dp, fixed_word::deviation_deg);
  copy_text(o.nyquist_name, fixed_word::nyquist);
}

// Without FORMAT=, an OUT= name ending in .png, .svg or .pdf (any case)
// asks for that format: GIF data under such a name would be a plainly
// wrong file.
OutputFormat format_of_name(const char* path) {
  constexpr size_t length = 4;  // each extension, its dot included
  constexpr struct {
    char extension[length + 1];
    OutputFormat format;
  } named[] = {
      {".png", OutputFormat::png}, {".svg", OutputFormat::svg}, {".pdf", OutputFormat::pdf}};
  size_t n = strlen(path);
  if (n < length) return OutputFormat::gif;
  for (const auto& e : named) {
    if (equal_folded(path + n - length, e.extension, length + 1)) return e.format;
  }
  return OutputFormat::gif;
}

// A switch in the style of -linX: "-name" or "/name", any letter case.
bool is_switch(const char* arg, const char* name) {
  return is_whole(arg, name) || (arg[0] == '/' && is_whole(arg + 1, name + 1));
}

// What the arguments leave behind besides the record itself.
struct ParseState {
  explicit ParseState(Warnings& w) : warnings(w) {
    for (bool& fits : in_fits) fits = true;
    for (bool& fits : phase_fits) fits = true;
  }
  Warnings& warnings;
  int32_t sub_grid = no_sub_grid;
  bool in_fits[max_inputs];
  bool phase_fits[max_inputs];
  bool out_fits = true;
  bool format_known = true;
  bool format_given = false;
  bool legend_known = true;
  bool units_known = true;
  bool norm_ok = true;
  bool nyquist_ok = true;
};

void warn_value(ParseState& s, const char* key, const char* value, const char* what) {
  s.warnings.push_back(std::string(key) + " value \"" + value + "\" " + what);
}

// A text longer than its field keeps what fits, with a warning.
template <size_t N>
void take_text(char (&field)[N], const char* key, const char* value, ParseState& s) {
  if (!copy_text(field, value)) {
    s.warnings.push_back(std::string(key) + " cut to its first " + std::to_string(N - 1) +
                         " bytes");
  }
}

// Two numbers as X_AXIS= reads them, each stored the moment it is read.
void scan_range(const char* key, const char* value, double& lo, double& hi, ParseState& s) {
  int read = scan_double_pair(value, value + strlen(value), lo, hi);
  if (read < 2) warn_value(s, key, value, read == 0 ? "not read" : "read only in part");
}

// A sub-grid count as atoi reads it: no digits is 0, with a warning.
int32_t scan_count(const char* key, const char* value, ParseState& s) {
  int32_t count = 0;
  if (scan_int(value, value + strlen(value), count) == nullptr)
    warn_value(s, key, value, "not read");
  return count;
}

void scan_legend(const char* value, PlotOptions& o, ParseState& s) {
  static constexpr struct {
    const char* name;
    LegendCorner corner;
  } corners[] = {{"AUTO", LegendCorner::automatic},
                 {"TL", LegendCorner::top_left},
                 {"TR", LegendCorner::top_right},
                 {"BL", LegendCorner::bottom_left},
                 {"BR", LegendCorner::bottom_right}};
  s.legend_known = false;
  for (const auto& c : corners) {
    if (is_whole(value, c.name)) {
      o.legend_corner = c.corner;
      s.legend_known = true;
    }
  }
}

void scan_format(const char* value, PlotOptions& o, ParseState& s) {
  s.format_known = true;
  s.format_given = true;
  if (is_whole(value, "GIF")) {
    o.format = OutputFormat::gif;
  } else if (is_whole(value, "PNG")) {
    o.format = OutputFormat::png;
  } else if (is_whole(value, "SVG")) {
    o.format = OutputFormat::svg;
  } else if (is_whole(value, "PDF")) {
    o.format = OutputFormat::pdf;
  } else {
    s.format_known = false;
  }
}

void apply_comparison(const char* arg, PlotOptions& o, ParseState& s);
void apply_conversions(const char* arg, PlotOptions& o, ParseState& s);

// The amplitude and phase ranges, the legend's corner and -strict.
void apply_ranges(const char* arg, PlotOptions& o, ParseState& s) {
  const char* v;
  if ((v = value_of(arg, "Y_AXIS="))) {
    scan_range("Y_AXIS=", v, o.y_min, o.y_max, s);
    o.y_axis_given = true;
  } else if ((v = value_of(arg, "P_AXIS="))) {
    scan_range("P_AXIS=", v, o.p_min, o.p_max, s);
    o.p_axis_given = true;
  } else if ((v = value_of(arg, "LEGEND="))) {
    scan_legend(v, o, s);
  } else if (is_switch(arg, "-strict")) {
    o.strict = true;
  } else {
    apply_comparison(arg, o, s);
  }
}

// The deviation panel and the tolerance verdict; TOL= implies -diff.
void apply_comparison(const char* arg, PlotOptions& o, ParseState& s) {
  const char* v;
  if (is_switch(arg, "-diff")) {
    o.diff = true;
  } else if ((v = value_of(arg, "D_AXIS="))) {
    scan_range("D_AXIS=", v, o.d_min, o.d_max, s);
    o.d_axis_given = true;
  } else if ((v = value_of(arg, "TOL="))) {
    o.tol_deg_given = scan_double_pair(v, v + strlen(v), o.tol_db, o.tol_deg) == 2;
    o.tol_given = o.diff = true;
  } else {
    apply_conversions(arg, o, s);
  }
}

// A number read and above 0 (NORM=, NYQUIST=); a failed one is kept as 0,
// which means "not given" to the later stages.
bool positive(bool read, double& v) {
  bool ok = read && v > 0 && std::isfinite(v);
  if (!ok) v = 0;
  return ok;
}

// UNITS= reads two of DIS, VEL and ACC with any one character between.
bool scan_units(const char* value, PlotOptions& o) {
  static constexpr const char* names[] = {"DIS", "VEL", "ACC"};
  constexpr size_t name_length = 3;
  int found[2] = {-1, -1};
  for (int k = 0; k < 2; ++k) {
    const char* part = value + k * (name_length + 1);
    if (k == 1 && value[name_length] == '\0') return false;
    for (int u = 0; u < 3; ++u) {
      bool whole = k == 1 ? is_whole(part, names[u]) : equal_folded(part, names[u], name_length);
      if (whole) found[k] = u;
    }
  }
  o.units_from = found[0];
  o.units_to = found[1];
  return found[0] >= 0 && found[1] >= 0;
}

// The response conversions: units, normalisation, decibels, the Nyquist line.
void apply_conversions(const char* arg, PlotOptions& o, ParseState& s) {
  const char* v;
  double unused;
  if ((v = value_of(arg, "UNITS="))) {
    s.units_known = scan_units(v, o);
  } else if ((v = value_of(arg, "NORM="))) {
    s.norm_ok = positive(scan_double_pair(v, v + strlen(v), o.norm_f, unused) >= 1, o.norm_f);
  } else if (is_switch(arg, "-dB")) {
    o.db = true;
  } else if ((v = value_of(arg, "NYQUIST="))) {
    s.nyquist_ok = positive(scan_double_pair(v, v + strlen(v), o.nyquist, unused) >= 1, o.nyquist);
  } else {
    const char* near = nearest_key(arg);
    s.warnings.push_back(std::string("unknown argument \"") + arg + "\" ignored" +
                         (near ? std::string(" (did you mean ") + near + "?)" : ""));
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
      take_text(o.names[i], input_keys[i].name_key, v, s);
      return;
    }
    if ((v = value_of(arg, input_keys[i].phase_key))) {
      s.phase_fits[i] = copy_path(o.phase_paths[i], v);
      o.phase = true;  // a phase file is there to be drawn
      return;
    }
  }
  if ((v = value_of(arg, "FORMAT="))) {
    scan_format(v, o, s);
  } else if ((v = value_of(arg, "DIMP="))) {
    take_text(o.dim_p, "DIMP=", v, s);
  } else if (is_switch(arg, "-fit")) {
    o.fit = true;
  } else if (is_switch(arg, "-phase")) {
    o.phase = true;
  } else if (is_switch(arg, "-unwrap")) {
    o.unwrap = true;
  } else if (is_switch(arg, "-report")) {
    o.report = true;
  } else {
    apply_ranges(arg, o, s);
  }
}

void apply(const char* arg, PlotOptions& o, ParseState& s) {
  const char* v;
  if ((v = value_of(arg, input_keys[0].in_key))) {
    s.in_fits[0] = copy_path(o.in_path, v);
  } else if ((v = value_of(arg, "OUT="))) {
    s.out_fits = copy_path(o.out_path, v);
  } else if ((v = value_of(arg, "X_AXIS="))) {
    scan_range("X_AXIS=", v, o.x_min, o.x_max, s);
    o.x_axis_given = true;
  } else if (is_whole(arg, "-linX") || is_whole(arg, "/linX")) {
    o.log_x = false;
  } else if (is_whole(arg, "-linY") || is_whole(arg, "/linY")) {
    o.log_y = false;
  } else if ((v = value_of(arg, "CAPTION="))) {
    take_text(o.caption, "CAPTION=", v, s);
  } else if ((v = value_of(arg, "SIZE="))) {
    if (!scan_size(v, o)) {
      warn_value(s, "SIZE=", v,
                 ("not used as given: " + std::to_string(o.size_x) + "x" + std::to_string(o.size_y))
                     .c_str());
    }
  } else if ((v = value_of(arg, "SUB_GRID="))) {
    s.sub_grid = scan_count("SUB_GRID=", v, s);
  } else if ((v = value_of(arg, "SUB_GRIDX="))) {
    o.sub_grid_x = scan_count("SUB_GRIDX=", v, s);
  } else if ((v = value_of(arg, "SUB_GRIDY="))) {
    o.sub_grid_y = scan_count("SUB_GRIDY=", v, s);
  } else if ((v = value_of(arg, "DIMX="))) {
    take_text(o.dim_x, "DIMX=", v, s);
  } else if ((v = value_of(arg, "DIMY="))) {
    take_text(o.dim_y, "DIMY=", v, s);
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

bool range_usable(double lo, double hi, bool log) {
  return std::isfinite(lo) && std::isfinite(hi) && lo < hi && (!log || lo > 0);
}

int validate_conversions(const PlotOptions& o, const ParseState& s);

// The checks of the options the first version did not have, after its own.
int validate_added(const PlotOptions& o, const ParseState& s) {
  if (o.y_axis_given && !range_usable(o.y_min, o.y_max, o.log_y)) {
    return fail(message::bad_y_range, bad_y_range);
  }
  if (o.p_axis_given && !range_usable(o.p_min, o.p_max, false)) {
    return fail(message::bad_p_range, bad_p_range);
  }
  if (!s.legend_known) return fail(message::bad_legend, bad_legend);
  if (o.d_axis_given && !range_usable(o.d_min, o.d_max, false)) {
    return fail(message::bad_d_range, bad_d_range);
  }
  bool tol_usable = o.tol_db > 0 && std::isfinite(o.tol_db) &&
                    (!o.tol_deg_given || (o.tol_deg > 0 && std::isfinite(o.tol_deg)));
  if (o.tol_given && !tol_usable) return fail(message::bad_tolerance, bad_tolerance);
  return validate_conversions(o, s);
}

int validate_conversions(const PlotOptions& o, const ParseState& s) {
  if (!s.units_known) return fail(message::bad_units, bad_conversion);
  if (!s.norm_ok) return fail(message::bad_norm, bad_conversion);
  if (!s.nyquist_ok) return fail(message::bad_nyquist, bad_conversion);
  if (o.strict && !s.warnings.empty()) {
    last_error = std::string(message::strict_prefix) + s.warnings.front();
    return strict_warning;
  }
  return 0;
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
  for (int i = 0; i < max_inputs; ++i) {
    if (!s.phase_fits[i]) {
      last_error = std::string(message::input_too_long) + ": " + input_keys[i].phase_key;
      return path_too_long;
    }
  }
  if (!x_range_usable(o.x_min, o.x_max)) return fail(message::bad_x_range, bad_x_range);
  if (!s.format_known) return fail(message::bad_format, bad_format);
  return validate_added(o, s);
}

}  // namespace

int parse_cmd(int argc, const char* const argv[], PlotOptions& options, Warnings& warnings) {
  // Asking for help alone is not a mistake.
  if (argc == 2 && is_help_switch(argv[1])) return help_wanted;
  if (argc < 3) return fail(message::few_parameters, few_parameters);
  set_defaults(options);
  ParseState state(warnings);
  for (int i = 1; i < argc; ++i) {
    if (is_help_switch(argv[i])) return help_wanted;
    apply(argv[i], options, state);
  }
  if (options.db) options.log_y = false;  // decibels lie on a linear axis
  if (!state.format_given) options.format = format_of_name(options.out_path);
  if (vector_format(options.format)) options.report = true;
  for (int i = 0; i < max_inputs; ++i) {
    if (options.phase_paths[i][0] != '\0' && input_path(options, i)[0] == '\0') {
      warnings.push_back(std::string(input_keys[i].phase_key) + " without " + input_keys[i].in_key +
                         " ignored");
    }
  }
  if (options.sub_grid_x < 0) options.sub_grid_x = state.sub_grid;
  if (options.sub_grid_y < 0) options.sub_grid_y = state.sub_grid;
  return validate(options, state);
}
