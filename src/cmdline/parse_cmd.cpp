#include "cmdline/parse_cmd.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "cmdline/nearest_key.h"
#include "cmdline/option_keys.h"
#include "core/ascii_case.h"
#include "core/fail.h"
#include "core/fixed_words.h"
#include "core/messages.h"
#include "layout/amplitude_axis_drawable.h"
#include "layout/layout_size.h"

namespace {

constexpr const char* help_switches[] = {"--help", "-help", "/help", "help", "--h",
                                         "-h",     "/h",    "--?",   "-?",   "/?"};

constexpr double default_x_min = 0.001;
constexpr double default_x_max = 20.0;
constexpr int32_t no_sub_grid = -1;
constexpr char default_dim_p[] = "Phase, deg";

bool is_whole(const char* arg, const char* key) {
  return equal_folded(arg, key, strlen(key) + 1);
}

template <size_t N>
void set_text(char (&field)[N], const char* text) {
  strncpy(field, text, N - 1);
  field[N - 1] = '\0';
}

void set_defaults(PlotOptions& o) {
  o = PlotOptions{};
  o.x_min = default_x_min;
  o.x_max = default_x_max;
  o.log_x = o.log_y = true;
  o.size_x = 800;
  o.size_y = 600;
  o.sub_grid_x = o.sub_grid_y = no_sub_grid;
  o.format = OutputFormat::gif;
  set_text(o.dim_p, default_dim_p);
  o.units_from = o.units_to = -1;
  for (int& u : o.in_units) u = -1;
  set_text(o.dim_d, fixed_word::deviation_db);
  set_text(o.dim_dp, fixed_word::deviation_deg);
  set_text(o.nyquist_name, fixed_word::nyquist);
}

// The ending of the file name in `path`, from its last full stop, or "".
const char* ending_of(const char* path) {
  const char* slash = strrchr(path, '/');
  const char* dot = strrchr(slash ? slash : path, '.');
  return dot ? dot : "";
}

// Without FORMAT=, an OUT= name ending in .png, .svg or .pdf asks for that
// format: GIF data under such a name would be a plainly wrong file. Any
// other ending is written as GIF, with a warning.
void take_format_from_name(ParseState& s) {
  const char* ending = ending_of(s.o.out_path);
  for (const FormatName& f : format_names) {
    if (is_whole(ending, f.ending)) {
      s.o.format = f.format;
      return;
    }
  }
  if (ending[0] != '\0') {
    s.warn(std::string("OUT= name ending \"") + ending + "\" is no known format: written as GIF");
  }
}

// A switch in the style of -linX: "-name" or "/name", any letter case.
bool is_switch(const char* arg, const char* name) {
  return is_whole(arg, name) || (arg[0] == '/' && is_whole(arg + 1, name + 1));
}

// Reads `arg` by the first entry that matches it; false when none does.
bool apply(const char* arg, ParseState& s) {
  for (size_t e = 0; e < option_key_count; ++e) {
    const OptionKey& k = option_keys[e];
    if (k.read == nullptr) continue;
    for (int i = first_input_of(k); i < end_input_of(k); ++i) {
      const char* key = option_spelling(k, i);
      bool is_key_switch = is_switch_key(k);
      if (is_key_switch ? !is_switch(arg, key) : !equal_folded(arg, key, strlen(key))) continue;
      s.key = key;
      k.read(s, is_key_switch ? nullptr : arg + strlen(key), i);
      s.given[e * max_inputs + i] = 1;
      return true;
    }
  }
  return false;
}

void warn_unknown(const char* arg, ParseState& s) {
  const char* near = nearest_key(arg);
  s.warn(std::string("unknown argument \"") + arg + "\" ignored" +
         (near ? std::string(" (did you mean ") + near + "?)" : ""));
}

bool is_help_switch(const char* arg) {
  for (const char* h : help_switches) {
    if (is_whole(arg, h)) return true;
  }
  return false;
}

bool has_further_input(const PlotOptions& o) {
  for (int i = 1; i < max_inputs; ++i) {
    if (input_path(o, i)[0] != '\0') return true;
  }
  return false;
}

bool has_names(const PlotOptions& o) {
  for (int i = 0; i < max_inputs; ++i) {
    if (o.names[i][0] != '\0' && input_path(o, i)[0] != '\0') return true;
  }
  return false;
}

// What each need asks for, and whether this command line has it.
const char* missing_need(unsigned needs, int input, const PlotOptions& o) {
  if ((needs & need_input) && input_path(o, input)[0] == '\0') return input_keys[input].in_key;
  if ((needs & need_phase) && !o.phase) return "-phase";
  if ((needs & need_diff) && !o.diff) return "-diff";
  if ((needs & need_further) && !has_further_input(o)) return "IN2=";
  if ((needs & need_names) && !has_names(o)) return "NAME=";
  if ((needs & need_nyquist) && o.nyquist <= 0) return "NYQUIST=";
  if ((needs & need_units) && o.units_to < 0 && !o.diff) return "UNITS= or -diff";
  if ((needs & need_report) && !o.report) return "-report";
  if ((needs & need_page) && !(o.page_w_pt > 0 && !vector_format(o.format))) {
    return "SIZE= in units on PNG or GIF";
  }
  return nullptr;
}

// Whether the switch spelled `key` ("-report") was given.
bool switch_given(const ParseState& s, const char* key) {
  for (size_t e = 0; e < option_key_count; ++e) {
    if (option_keys[e].key != nullptr && strcmp(option_keys[e].key, key) == 0) {
      return s.given[e * max_inputs] != 0;
    }
  }
  return false;
}

// Every option given that can have no effect on this command line.
void warn_without_effect(ParseState& s) {
  for (size_t e = 0; e < option_key_count; ++e) {
    const OptionKey& k = option_keys[e];
    for (int i = first_input_of(k); i < end_input_of(k); ++i) {
      if (!s.given[e * max_inputs + i]) continue;
      if (const char* missing = missing_need(k.needs, i, s.o)) {
        s.warn(std::string(option_spelling(k, i)) + " has no effect without " + missing +
               " and is ignored");
      }
    }
  }
  const PlotOptions& o = s.o;
  // Text has no style to draw in.
  if (o.format == OutputFormat::fap && switch_given(s, "-report")) {
    s.warn("-report has no effect on FAP text and is ignored");
  }
  if (o.tol_deg_given && !o.phase && s.tol_ok) {
    s.warn("TOL= degrees have no effect without -phase: the phase is not judged");
  }
  // The frequency range is known here unless the data will set it.
  bool range_known = !o.fit || o.x_axis_given;
  double line = o.nyquist / 2;
  if (o.nyquist > 0 && range_known && !(o.x_min <= line && line <= o.x_max)) {
    char text[120];
    snprintf(text, sizeof text,
             "NYQUIST= line at %g Hz lies outside the frequency range %g to %g Hz", line, o.x_min,
             o.x_max);
    s.warn(text);
  }
}

// An infinite bound (a number beyond the double range) would make the
// decade loops endless, so it is refused with the reversed ranges.
bool x_range_usable(double x_min, double x_max) {
  return x_max >= x_min && x_min > 0 && x_max > 0 && std::isfinite(x_min) && std::isfinite(x_max);
}

bool range_usable(double lo, double hi, bool log) {
  return std::isfinite(lo) && std::isfinite(hi) && lo < hi && (!log || lo > 0);
}

int validate_comparison(ParseState& s);

// The checks of the options the first version did not have, after its own.
int validate_added(ParseState& s) {
  const PlotOptions& o = s.o;
  std::string why;
  if (o.y_axis_given && !amplitude_axis_drawable(o.y_min, o.y_max, o.log_y, why)) {
    char range[80];
    snprintf(range, sizeof range, "Y_AXIS= range %.17g;%.17g: ", o.y_min, o.y_max);
    s.reason = range + why;
    return fail(message::bad_y_range, bad_y_range);
  }
  if (o.p_axis_given && !range_usable(o.p_min, o.p_max, false)) {
    return fail(message::bad_p_range, bad_p_range);
  }
  if (!s.legend_known) return fail(message::bad_legend, bad_legend);
  if (o.d_axis_given && !range_usable(o.d_min, o.d_max, false)) {
    return fail(message::bad_d_range, bad_d_range);
  }
  return validate_comparison(s);
}

int validate_comparison(ParseState& s) {
  const PlotOptions& o = s.o;
  bool tol_usable = s.tol_ok && o.tol_db > 0 && std::isfinite(o.tol_db) &&
                    (!o.tol_deg_given || (o.tol_deg > 0 && std::isfinite(o.tol_deg)));
  if (o.tol_given && !tol_usable) {
    if (s.reason.empty()) s.reason = "TOL= needs one or two numbers above 0: dB[,degrees]";
    return fail(message::bad_tolerance, bad_tolerance);
  }
  // A verdict over nothing would pass what it never checked.
  if (o.tol_given && !has_further_input(o)) {
    s.reason = "TOL= judges IN2= to IN4= against IN=, and none of them is given";
    return fail(message::nothing_to_judge, bad_tolerance);
  }
  if (!s.units_known) return fail(message::bad_units, bad_conversion);
  for (int i = 0; i < max_inputs; ++i) {
    if (!s.in_units_known[i]) {
      s.reason = std::string(input_keys[i].units_key) + " takes DIS, VEL or ACC";
      return fail(message::bad_units, bad_conversion);
    }
  }
  if (!s.norm_ok) return fail(message::bad_norm, bad_conversion);
  if (!s.nyquist_ok) return fail(message::bad_nyquist, bad_conversion);
  if (!s.refused.empty()) {
    last_error = std::string(message::incorrect_prefix) + s.refused + message::incorrect_suffix;
    return bad_metadata;
  }
  if (o.strict && !s.warnings.empty()) {
    last_error = std::string(message::strict_prefix) + s.warnings.front();
    return strict_warning;
  }
  return 0;
}

int path_failure(const char* key) {
  last_error = std::string(message::input_too_long) + ": " + key;
  return path_too_long;
}

// The checks, in the order in which the first version made them.
int validate(ParseState& s) {
  const PlotOptions& o = s.o;
  if (o.in_path[0] == '\0') return fail(message::no_input_file, no_input_file);
  if (!s.in_fits[0]) return fail(message::input_too_long, path_too_long);
  if (o.out_path[0] == '\0') return fail(message::no_output_file, no_output_file);
  if (!s.out_fits) return fail(message::output_too_long, path_too_long);
  for (int i = 1; i < max_inputs; ++i) {
    if (!s.in_fits[i]) return path_failure(input_keys[i].in_key);
  }
  for (int i = 0; i < max_inputs; ++i) {
    if (!s.phase_fits[i]) return path_failure(input_keys[i].phase_key);
  }
  if (!x_range_usable(o.x_min, o.x_max)) return fail(message::bad_x_range, bad_x_range);
  if (!s.format_known) return fail(message::bad_format, bad_format);
  return validate_added(s);
}

void refuse_page(ParseState& s, const std::string& why) {
  if (!s.refused.empty()) return;
  s.refused = "SIZE=";
  s.reason = "SIZE= value: " + why;
}

// A page with units becomes the picture's size: points for SVG and PDF,
// pixels at DPI= for PNG and GIF. It is refused, not resized, outside the
// limits: a figure for a document must come out at the size asked for.
void settle_page(ParseState& s) {
  PlotOptions& o = s.o;
  if (o.page_w_pt > 0 && !o.report) {
    // The pixels read as ever, their warning where it always stood.
    if (!s.size_pixel_warning.empty()) {
      auto at = s.warnings.begin() + static_cast<std::ptrdiff_t>(s.size_warning_at);
      s.warnings.insert(at, s.size_pixel_warning);
    }
    s.warn("SIZE= with units has no effect without -report and is ignored");
    o.page_w_pt = o.page_h_pt = 0;
    return;
  }
  if (!(o.page_w_pt > 0)) return;
  char why[160];
  if (vector_format(o.format)) {
    if (o.page_w_pt < least_page_w_pt || o.page_h_pt < least_page_h_pt ||
        o.page_w_pt > most_page_pt || o.page_h_pt > most_page_pt) {
      snprintf(why, sizeof why, "a page of %.1fx%.1f pt lies outside %gx%g to %gx%g pt",
               o.page_w_pt, o.page_h_pt, least_page_w_pt, least_page_h_pt, most_page_pt,
               most_page_pt);
      refuse_page(s, why);
    }
    o.size_x = static_cast<int32_t>(std::lround(o.page_w_pt * report_pixels_per_point));
    o.size_y = static_cast<int32_t>(std::lround(o.page_h_pt * report_pixels_per_point));
    return;
  }
  double per_point = pixels_per_point(o);
  double x = std::round(o.page_w_pt * per_point), y = std::round(o.page_h_pt * per_point);
  if (x < least_picture_x || y < least_picture_y || x > most_picture || y > most_picture) {
    snprintf(why, sizeof why, "%.0fx%.0f pixels at %g per inch lie outside %dx%d to %dx%d", x, y,
             per_point * points_per_inch, least_picture_x, least_picture_y, most_picture,
             most_picture);
    refuse_page(s, why);
    o.page_w_pt = o.page_h_pt = 0;
    return;
  }
  o.size_x = static_cast<int32_t>(x), o.size_y = static_cast<int32_t>(y);
}

// FONT= sets how many layout units the picture holds; too large a text
// would leave the plot no room beside its margins.
bool font_fits(const PlotOptions& o) {
  LayoutSize size = layout_size(o);
  return size.x >= least_layout_x && size.y >= least_layout_y;
}

// The largest size in tenths of a point that fits, so that the one said is
// taken: from the estimate the layout's share gives (its units are whole,
// so it may be a tenth or two off either way), up while the next fits,
// then down while it does not.
double largest_font(const PlotOptions& o) {
  LayoutSize size = layout_size(o);
  double share = std::min(static_cast<double>(size.x) / least_layout_x,
                          static_cast<double>(size.y) / least_layout_y);
  PlotOptions tried = o;
  long tenths = std::lround(std::floor(o.font_pt * share * 10));
  auto fits = [&](long t) {
    tried.font_pt = static_cast<double>(t) / 10;
    return font_fits(tried);
  };
  constexpr int most_steps = 20;
  for (int i = 0; i < most_steps && fits(tenths + 1); ++i) ++tenths;
  for (int i = 0; i < most_steps && tenths > 1 && !fits(tenths); ++i) --tenths;
  return static_cast<double>(tenths) / 10;
}

void check_font(ParseState& s) {
  const PlotOptions& o = s.o;
  if (!(o.font_pt > 0) || !o.report || !s.refused.empty() || font_fits(o)) return;
  double fits = largest_font(o);
  char why[160];
  snprintf(why, sizeof why, "FONT= value: %g pt leaves the plot no room; at most %.1f pt fits",
           o.font_pt, fits);
  s.refused = "FONT=";
  s.reason = why;
}

// What the options imply once all are in.
void settle(ParseState& s) {
  PlotOptions& o = s.o;
  if (o.db) o.log_y = false;  // decibels lie on a linear axis
  if (!s.format_given) take_format_from_name(s);
  if (vector_format(o.format)) o.report = true;
  if (o.format == OutputFormat::fap) o.report = false;  // text: no style to draw in
  settle_page(s);
  check_font(s);
  if (o.sub_grid_x < 0) o.sub_grid_x = s.sub_grid;
  if (o.sub_grid_y < 0) o.sub_grid_y = s.sub_grid;
}

}  // namespace

int parse_cmd(int argc, const char* const argv[], PlotOptions& options, Warnings& warnings,
              std::string* reason) {
  // Asking for help alone is not a mistake.
  if (argc == 2 && is_help_switch(argv[1])) return help_wanted;
  if (argc < 3) return fail(message::few_parameters, few_parameters);
  set_defaults(options);
  ParseState state(options, warnings);
  state.given.assign(option_key_count * max_inputs, 0);
  for (int i = 1; i < argc; ++i) {
    if (is_help_switch(argv[i])) return help_wanted;
    if (!apply(argv[i], state)) warn_unknown(argv[i], state);
  }
  settle(state);
  warn_without_effect(state);
  int result = validate(state);
  if (reason != nullptr) *reason = state.reason;
  return result;
}
