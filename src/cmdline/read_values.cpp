#include "cmdline/read_values.h"

#include <cmath>
#include <cstring>
#include <string>
#include <string_view>

#include "cmdline/physical_size.h"
#include "core/ascii_case.h"
#include "core/scan_number.h"
#include "core/utf8.h"
#include "layout/layout_size.h"
#include "metadata/channel_filter.h"

namespace {

// The picture sizes SIZE= may ask for, and what it falls back to.
constexpr int32_t default_size_x = 800;
constexpr int32_t default_size_y = 600;
constexpr int32_t least_size_x = least_picture_x;  // a smaller size is raised to this one
constexpr int32_t least_size_y = least_picture_y;
constexpr int32_t most_size = most_picture;  // a larger one falls back to the default

// A value that cannot be used at all fails the command line; the first one
// is named in the message.
void refuse(ParseState& s, const char* value, const std::string& why) {
  if (s.refused.empty()) {
    s.refused = s.key;
    s.reason = std::string(s.key) + " value \"" + value + "\": " + why;
  }
}

void warn_value(ParseState& s, const char* value, const char* what) {
  s.warn(std::string(s.key) + " value \"" + value + "\" " + what);
}

const char* end_of(const char* value) {
  return value + strlen(value);
}

bool is_blank(char c) {
  return c == ' ' || c == '\t';
}

const char* skip_blanks(const char* p, const char* end) {
  while (p < end && is_blank(*p)) ++p;
  return p;
}

template <size_t N>
bool copy_path(char (&field)[N], const char* value) {
  size_t n = strnlen(value, N);
  bool fits = n < N;
  if (!fits) n = N - 1;
  memcpy(field, value, n);
  field[n] = '\0';
  for (char* p = field; *p; ++p) {
    if (*p == '\\') *p = '/';
  }
  return fits;
}

// A text keeps its first `most` characters (a byte that begins no UTF-8
// character counts as one), with a warning when it had more: a Cyrillic
// caption gets as many letters as a Latin one.
template <size_t N>
void take_text(ParseState& s, char (&field)[N], int most, const char* value) {
  std::string_view text(value);
  size_t bytes = 0;
  int chars = 0;
  bool ascii = true;
  while (bytes < text.size() && chars < most) {
    Utf8Char c = next_char(text.substr(bytes));
    if (bytes + static_cast<size_t>(c.length) >= N) break;  // never past the field
    ascii = ascii && c.code < 0x80;
    bytes += static_cast<size_t>(c.length);
    ++chars;
  }
  memcpy(field, value, bytes);
  field[bytes] = '\0';
  if (bytes < text.size()) {
    s.warn(std::string(s.key) + " cut to its first " + std::to_string(most) +
           (ascii ? " bytes" : " characters"));
  }
}

// Where a number the scan ended at q really ends: before an exponent
// marker without digits ("1e", "5E-"), which the scan takes as nothing,
// so that such a value is not read whole.
const char* number_end(const char* q) {
  const char* marker = q[-1] == '+' || q[-1] == '-' ? q - 1 : q;
  return marker[-1] == 'e' || marker[-1] == 'E' ? marker - 1 : q;
}

bool bare_exponent(const char* q) {
  return number_end(q) != q;
}

// "%lg%*c%lg", telling also where the reading stopped and whether a
// number closed with a bare exponent marker.
int scan_pair(const char* p, const char* end, double& first, double& second, const char*& stop,
              bool& bare) {
  stop = p;
  bare = false;
  const char* q = scan_double(p, end, first);
  if (q == nullptr) return 0;
  stop = q;
  bare = bare_exponent(q);
  if (q == end) return 1;
  const char* r = scan_double(q + 1, end, second);
  if (r == nullptr) return 1;
  stop = r;
  bare = bare || bare_exponent(r);
  return 2;
}

// Two numbers as X_AXIS= reads them, each stored the moment it is read.
void read_range(ParseState& s, const char* value, double& lo, double& hi) {
  const char* end = end_of(value);
  const char* stop;
  bool bare;
  int read = scan_pair(value, end, lo, hi, stop, bare);
  if (read < 2 || bare || skip_blanks(stop, end) != end) {
    warn_value(s, value, read == 0 ? "not read" : "read only in part");
  }
}

// A sub-grid count as atoi reads it: no digits is 0, with a warning.
int32_t read_count(ParseState& s, const char* value) {
  int32_t count = 0;
  const char* end = end_of(value);
  const char* stop = scan_int(value, end, count);
  if (stop == nullptr) {
    warn_value(s, value, "not read");
  } else if (skip_blanks(stop, end) != end) {
    warn_value(s, value, "read only in part");
  }
  return count;
}

// One number above 0 and finite, nothing after it; a failed one is kept as
// 0, which means "not given" to the later stages.
bool read_positive(ParseState& s, const char* value, double& v) {
  const char* end = end_of(value);
  const char* stop = scan_double(value, end, v);
  bool ok = stop != nullptr && v > 0 && std::isfinite(v);
  if (!ok) {
    v = 0;
    return false;
  }
  if (bare_exponent(stop) || skip_blanks(stop, end) != end) {
    warn_value(s, value, "read only in part");
  }
  return true;
}

// A unit word at p, any letter case: 0 DIS, 1 VEL, 2 ACC, or -1.
constexpr size_t unit_length = 3;
int unit_at(const char* p) {
  static constexpr const char* names[] = {"DIS", "VEL", "ACC"};
  for (int u = 0; u < 3; ++u) {
    if (equal_folded(p, names[u], unit_length)) return u;
  }
  return -1;
}

// An optional unit word after a number ("dB", "deg", "°"), any letter case.
const char* skip_unit(const char* p, const char* end,
                      std::initializer_list<std::string_view> units) {
  for (std::string_view u : units) {
    if (static_cast<size_t>(end - p) >= u.size() && equal_folded(p, u.data(), u.size())) {
      return p + u.size();
    }
  }
  return p;
}

// The entry of `table` whose word is the whole value (any letter case):
// its choice goes to `out`; false, and `out` kept, when none is.
template <class Entry, size_t N, class Choice>
bool choose(const char* value, const Entry (&table)[N], const char* Entry::*word,
            Choice Entry::*choice, Choice& out) {
  for (const Entry& e : table) {
    if (equal_folded(value, e.*word, strlen(e.*word) + 1)) {
      out = e.*choice;
      return true;
    }
  }
  return false;
}

}  // namespace

namespace read_value {

void in_path(ParseState& s, const char* value, int input) {
  char(&field)[path_capacity] = input == 0 ? s.o.in_path : s.o.more_in_paths[input - 1];
  s.in_fits[input] = copy_path(field, value);
}

void phase_path(ParseState& s, const char* value, int input) {
  s.phase_fits[input] = copy_path(s.o.phase_paths[input], value);
  s.o.phase = true;  // a phase file is there to be drawn
}

void out_path(ParseState& s, const char* value, int) {
  s.out_fits = copy_path(s.o.out_path, value);
}

void caption(ParseState& s, const char* value, int) {
  take_text(s, s.o.caption, caption_chars, value);
}
void dim_x(ParseState& s, const char* value, int) {
  take_text(s, s.o.dim_x, name_chars, value);
}
void dim_y(ParseState& s, const char* value, int) {
  take_text(s, s.o.dim_y, name_chars, value);
}
void dim_p(ParseState& s, const char* value, int) {
  take_text(s, s.o.dim_p, name_chars, value);
}
void dim_d(ParseState& s, const char* value, int) {
  take_text(s, s.o.dim_d, name_chars, value);
}
void dim_dp(ParseState& s, const char* value, int) {
  take_text(s, s.o.dim_dp, name_chars, value);
}
void nyquist_name(ParseState& s, const char* value, int) {
  take_text(s, s.o.nyquist_name, name_chars, value);
}
void name(ParseState& s, const char* value, int input) {
  take_text(s, s.o.names[input], name_chars, value);
}

void x_axis(ParseState& s, const char* value, int) {
  read_range(s, value, s.o.x_min, s.o.x_max);
  s.o.x_axis_given = true;
}
void y_axis(ParseState& s, const char* value, int) {
  read_range(s, value, s.o.y_min, s.o.y_max);
  s.o.y_axis_given = true;
}
void p_axis(ParseState& s, const char* value, int) {
  read_range(s, value, s.o.p_min, s.o.p_max);
  s.o.p_axis_given = true;
}
void d_axis(ParseState& s, const char* value, int) {
  read_range(s, value, s.o.d_min, s.o.d_max);
  s.o.d_axis_given = true;
}

// Two integers, then the size rules in order, each replacing both sides;
// returns what to warn of, or "".
std::string pixel_size(ParseState& s, const char* value) {
  const char* end = end_of(value);
  int32_t x = -1, y = -1;
  const char* stop = scan_int(value, end, x);
  if (stop != nullptr && stop < end) stop = scan_int(stop + 1, end, y);
  bool whole = stop != nullptr && y != -1 && skip_blanks(stop, end) == end;
  auto set = [&](int32_t sx, int32_t sy) { s.o.size_x = sx, s.o.size_y = sy; };
  set(x, y);
  if (s.o.size_x < 0 || s.o.size_y < 0) set(default_size_x, default_size_y);
  if (s.o.size_x < least_size_x || s.o.size_y < least_size_y) set(least_size_x, least_size_y);
  if (s.o.size_x > most_size || s.o.size_y > most_size) set(default_size_x, default_size_y);
  std::string head = std::string(s.key) + " value \"" + value + "\" ";
  if (s.o.size_x != x || s.o.size_y != y) {
    return head + "not used as given: " + std::to_string(s.o.size_x) + "x" +
           std::to_string(s.o.size_y);
  }
  return whole ? "" : head + "read only in part";
}

// With units, a page for a document, checked once the style is known; the
// fixed-cell style, and a value that reads as no page, take the pixels as
// SIZE= always read them.
void size(ParseState& s, const char* value, int) {
  s.o.page_w_pt = s.o.page_h_pt = 0;
  s.size_pixel_warning.clear();
  std::string warning = pixel_size(s, value);
  if (has_length_unit(value) && read_physical_size(value, s.o.page_w_pt, s.o.page_h_pt)) {
    s.size_pixel_warning = warning;
    s.size_warning_at = s.warnings.size();
    return;
  }
  s.o.page_w_pt = s.o.page_h_pt = 0;
  if (!warning.empty()) s.warn(warning);
}

void sub_grid(ParseState& s, const char* value, int) {
  s.sub_grid = read_count(s, value);
}
void sub_grid_x(ParseState& s, const char* value, int) {
  s.o.sub_grid_x = read_count(s, value);
}
void sub_grid_y(ParseState& s, const char* value, int) {
  s.o.sub_grid_y = read_count(s, value);
}

void format(ParseState& s, const char* value, int) {
  s.format_given = true;
  s.format_known = choose(value, format_names, &FormatName::name, &FormatName::format, s.o.format);
}

void legend(ParseState& s, const char* value, int) {
  static constexpr struct Corner {
    const char* name;
    LegendCorner corner;
  } corners[] = {{"AUTO", LegendCorner::automatic},
                 {"TL", LegendCorner::top_left},
                 {"TR", LegendCorner::top_right},
                 {"BL", LegendCorner::bottom_left},
                 {"BR", LegendCorner::bottom_right}};
  s.legend_known = choose(value, corners, &Corner::name, &Corner::corner, s.o.legend_corner);
}

// UNITS=to, or UNITS=from,to with any one character between: DIS, VEL, ACC.
void units(ParseState& s, const char* value, int) {
  size_t n = strlen(value);
  s.o.units_from = s.o.units_to = -1;
  if (n == unit_length) {
    s.o.units_to = unit_at(value);
  } else if (n == 2 * unit_length + 1) {
    s.o.units_from = unit_at(value);
    s.o.units_to = unit_at(value + unit_length + 1);
  }
  s.units_known = s.o.units_to >= 0 && (n == unit_length || s.o.units_from >= 0);
  if (!s.units_known) s.o.units_from = s.o.units_to = -1;
}

void in_units(ParseState& s, const char* value, int input) {
  int u = strlen(value) == unit_length ? unit_at(value) : -1;
  s.o.in_units[input] = u;
  s.in_units_known[input] = u >= 0;
}

// TOL=dB[,degrees]: used whole or not at all, for a verdict must never
// pass on a tolerance it read in part. Units may follow each number
// ("0.5dB,5deg"), blanks may stand around the separator.
void tolerance(ParseState& s, const char* value, int) {
  const char* end = end_of(value);
  s.o.tol_given = s.o.diff = true;
  s.o.tol_db = s.o.tol_deg = 0;
  s.o.tol_deg_given = false;
  // A later TOL= replaces an earlier one, its refusal too; a reason set
  // while nothing else is refused can only be an earlier TOL='s.
  if (s.refused.empty()) s.reason.clear();
  const char* p = scan_double(value, end, s.o.tol_db);
  s.tol_ok = p != nullptr;
  if (!s.tol_ok) return;
  p = number_end(p);  // a bare marker is left over: "0.5e" is not read whole
  const char* after = skip_unit(skip_blanks(p, end), end, {"dB"});
  p = skip_blanks(after, end);
  if (p == end) return;
  // The separator is any one character, or the blanks before the number.
  const char* q = is_blank(p[-1]) ? scan_double(p, end, s.o.tol_deg) : nullptr;
  if (q == nullptr) q = scan_double(p + 1, end, s.o.tol_deg);
  if (q != nullptr && bare_exponent(q)) q = nullptr;
  if (q != nullptr) q = skip_blanks(skip_unit(skip_blanks(q, end), end, {"deg", "\xC2\xB0"}), end);
  s.o.tol_deg_given = true;
  s.tol_ok = q == end;
  if (!s.tol_ok) {
    s.reason = std::string("TOL= value \"") + value +
               "\" is not read whole: it takes dB and degrees, as in TOL=0.5,5";
  }
}

void norm(ParseState& s, const char* value, int) {
  s.norm_ok = read_positive(s, value, s.o.norm_f);
}

void nyquist(ParseState& s, const char* value, int) {
  s.nyquist_ok = read_positive(s, value, s.o.nyquist);
}

void channel(ParseState& s, const char* value, int input) {
  ChannelFilter f;
  if (strlen(value) >= channel_capacity || !parse_channel_pattern(value, f)) {
    refuse(s, value, "it takes NET.STA.LOC.CHA, with * and ? in each part");
    return;
  }
  strcpy(s.o.channels[input], value);
}

// STAGES=a[,b]: stages a to b (a alone: that stage), each from 1.
void stages(ParseState& s, const char* value, int input) {
  const char* end = end_of(value);
  int32_t first = 0, last = 0;
  const char* stop = scan_int(value, end, first);
  if (stop != nullptr && stop < end) stop = scan_int(stop + 1, end, last);
  if (stop != nullptr && last == 0) last = first;
  if (stop == nullptr || skip_blanks(stop, end) != end || first < 1 || last < first) {
    refuse(s, value, "it takes a first and a last stage, from 1: STAGES=1 or STAGES=3,5");
    return;
  }
  s.o.stages[input][0] = first;
  s.o.stages[input][1] = last;
}

void time(ParseState& s, const char* value, int) {
  std::string t = normal_time(value);
  if (t.empty() || t.size() >= sizeof s.o.time) {
    refuse(s, value, "it takes 2010-01-01T06:54:32, a date alone, or 2010,001[,06:54:32]");
    return;
  }
  strcpy(s.o.time, t.c_str());
}

void delay(ParseState& s, const char* value, int) {
  bool estimated = equal_folded(value, "estimated", sizeof "estimated");
  if (!estimated && !equal_folded(value, "correction", sizeof "correction")) {
    refuse(s, value, "it takes estimated or correction");
  }
  s.o.estimated_delay = estimated;
}

void gain(ParseState& s, const char* value, int) {
  bool stated = equal_folded(value, "stated", sizeof "stated");
  if (!stated && !equal_folded(value, "stages", sizeof "stages")) {
    refuse(s, value, "it takes stated or stages");
  }
  s.o.stated_gain = stated;
}

// Enough for any curve, and a bound on the work of evaluating it.
constexpr int32_t least_points = 2;
constexpr int32_t most_points = 10'000'000;

// A text size or a line width in points: above 0, at most this.
constexpr double most_points_size = 100;

void point_size(ParseState& s, const char* value, double& field) {
  const char* end = end_of(value);
  double v = 0;
  const char* stop = scan_double(value, end, v);
  if (stop == nullptr || skip_blanks(stop, end) != end || !(v > 0) || v > most_points_size) {
    refuse(s, value, "it takes a size in points above 0, at most 100");
    return;
  }
  field = v;
}

void font(ParseState& s, const char* value, int) {
  point_size(s, value, s.o.font_pt);
}

void line_width(ParseState& s, const char* value, int) {
  point_size(s, value, s.o.line_pt);
}

// Pixels per inch; the picture's pixels are checked once the size is known.
constexpr int32_t most_dpi = 10000;

void dpi(ParseState& s, const char* value, int) {
  const char* end = end_of(value);
  int32_t n = 0;
  const char* stop = scan_int(value, end, n);
  if (stop == nullptr || skip_blanks(stop, end) != end || n < 1 || n > most_dpi) {
    refuse(s, value, "it takes pixels per inch, a whole number from 1 to 10000");
    return;
  }
  s.o.dpi = n;
}

void points(ParseState& s, const char* value, int) {
  const char* end = end_of(value);
  int32_t n = 0;
  const char* stop = scan_int(value, end, n);
  if (stop == nullptr || skip_blanks(stop, end) != end || n < least_points || n > most_points) {
    refuse(s, value, "it takes a count of frequencies from 2 to 10000000");
    return;
  }
  s.o.points = n;
}

}  // namespace read_value
