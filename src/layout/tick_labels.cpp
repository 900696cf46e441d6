#include "layout/tick_labels.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include "layout/format_label.h"
#include "layout/to_pixel.h"

namespace {

constexpr int plain_precision = 6;
constexpr int most_precision = 17;  // digits that tell any two doubles apart

// Enough significant digits to tell neighbouring lines of a linear axis
// apart (1234567 and 1234568, not 1.23457e+06 twice), at least six. A
// quarter step also covers the second digit of 2.5.
int label_precision(const TickRule& rule, const AxisScale& axis) {
  double largest = std::max(std::fabs(axis.min), std::fabs(axis.max));
  if (!walks_steps(rule) || !(largest > rule.step)) return plain_precision;
  double digits = std::floor(std::log10(largest)) - std::floor(std::log10(rule.step / 4)) + 1;
  return digits > most_precision ? most_precision
                                 : std::max(plain_precision, static_cast<int>(digits));
}

bool is_plain_number(const Tick& t) {
  return t.label.exponent.empty() &&
         t.label.mantissa.find_first_of("123456789") != std::string::npos;
}

// printf("%.*e") without trailing zeros and with a three-digit exponent,
// as format_g writes its exponent form: 1e-004, the twin of 8e-005.
std::string exponent_form(double v, int precision) {
  char text[64];
  snprintf(text, sizeof text, "%.*e", precision - 1, v);
  std::string s = text;
  size_t e = s.find('e');
  std::string mantissa = s.substr(0, e);
  if (mantissa.find('.') != std::string::npos) {
    mantissa.erase(mantissa.find_last_not_of('0') + 1);
    if (mantissa.back() == '.') mantissa.pop_back();
  }
  std::string digits = s.substr(e + 2);
  if (digits.size() < 3) digits.insert(0, 3 - digits.size(), '0');
  return mantissa + "e" + s[e + 1] + digits;
}

// v as its decades are written on a log10 axis: "2*10" with the exponent
// raised, and a power of ten as its decade label.
PowerLabel power_form(double v, int precision) {
  std::string e_form = exponent_form(v, precision);
  size_t e = e_form.find('e');
  std::string mantissa = e_form.substr(0, e);
  int exponent = std::stoi(e_form.substr(e + 1));
  if (mantissa == "1") return decade_label(exponent);
  return {mantissa + "*10", format_int(exponent)};
}

// At most the digits a subnormal number holds: 10^-320 is 9.99989e-321
// to six, the rest of its digits lost below the smallest normal double.
int digits_held(double v, int precision) {
  double v_abs = std::fabs(v);
  if (!(v_abs < std::numeric_limits<double>::min()) || v_abs == 0) return precision;
  double held = std::floor(std::log10(v_abs / std::numeric_limits<double>::denorm_min()));
  return std::clamp(static_cast<int>(held), 1, precision);
}

bool has_exponent_form(const Tick& t) {
  return is_plain_number(t) && t.label.mantissa.find('e') != std::string::npos;
}

// Every plain number among the labels in power_form; -1 as 10 and its
// power, like 1.
void write_as_powers(std::vector<Tick>& ticks, int precision) {
  for (Tick& t : ticks) {
    if (!is_plain_number(t)) continue;
    t.label = power_form(t.value, precision);
    if (t.label.mantissa == "-1*10") t.label.mantissa = "-10";
  }
}

// Lines closer than this many layout units run into a grey band, and their
// ticks into a black bar: a deviation axis stepped by its tolerance (1 dB)
// over a range of +-50 dB would draw a line at every pixel row.
constexpr double least_line_gap = 8;

}  // namespace

int PowerLabel::width() const {
  return static_cast<int>(mantissa.size()) * label_glyph_width +
         static_cast<int>(exponent.size()) * exponent_glyph_width;
}

PowerLabel decade_label(int e) {
  constexpr int last_written_out = 2;  // 100
  if (0 <= e && e <= last_written_out) return {format_int(to_pixel(std::pow(10.0, e))), ""};
  return {"10", format_int(e)};
}

PowerLabel tick_label(double v, int rank, bool log, int precision) {
  if (!log || rank > 0) return {format_g(v, precision), ""};
  return decade_label(to_pixel(std::round(std::log10(v))));
}

std::vector<Tick> axis_ticks(const TickRule& rule, const AxisScale& axis) {
  std::vector<Tick> ticks;
  int precision = label_precision(rule, axis);
  bool plain = false, exponent = false;
  for_each_tick(rule, axis.min, axis.max, [&](double v, int rank) {
    ticks.push_back({v, rank, tick_label(v, rank, axis.log, precision)});
    if (!is_plain_number(ticks.back())) return;
    (has_exponent_form(ticks.back()) ? exponent : plain) = true;
  });
  // On log10 the numbers that would need "5e+008" take the power form of
  // the decades instead, and then all others do, one form on the axis.
  if (axis.log && exponent) {
    write_as_powers(ticks, precision);
    return ticks;
  }
  if (!plain || !exponent) return ticks;
  for (Tick& t : ticks) {
    if (is_plain_number(t)) t.label.mantissa = exponent_form(t.value, precision);
  }
  return ticks;
}

TickRule power_rule(const TickRule& rule, const AxisScale& axis) {
  constexpr double few_decades = 3;
  TickRule labelled = rule;
  bool decades_only = rule.log && !walks_steps(rule) && rule.level == 0;
  if (decades_only && axis.min > 0 && std::log10(axis.max / axis.min) < few_decades) {
    labelled.level = 1;
  }
  if (!rule.log && rule.step > 0 && axis.scale > 0) {
    labelled.step = readable_step(rule.step, axis.min, axis.max, least_line_gap / axis.scale);
  }
  return labelled;
}

std::vector<Tick> power_ticks(const TickRule& rule, const AxisScale& axis) {
  TickRule lines = power_rule(rule, axis);
  std::vector<Tick> ticks = axis_ticks(lines, axis);
  int precision = label_precision(lines, axis);
  if (!axis.log) {
    // Numbers too large or small to write out take the log10 axes' form
    // (2.5*10 and a raised 6), not printf's 2.5e+006.
    if (std::none_of(ticks.begin(), ticks.end(), has_exponent_form)) return ticks;
    write_as_powers(ticks, precision);
    return ticks;
  }
  // Every label in one form, 1 and 10 as well: a reader compares exponents.
  for (Tick& t : ticks) {
    std::string e_form = exponent_form(t.value, digits_held(t.value, precision));
    size_t e = e_form.find('e');
    std::string mantissa = e_form.substr(0, e);
    t.label = {mantissa == "1" ? "10" : mantissa + "*10",
               format_int(std::stoi(e_form.substr(e + 1)))};
  }
  return ticks;
}
