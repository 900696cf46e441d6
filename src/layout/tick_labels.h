#pragma once

#include <string>
#include <vector>

#include "layout/nice_steps.h"
#include "layout/plot_area.h"

// The cell widths of the label fonts (font6x12 for numbers and mantissas,
// font5x8 for raised exponents), which the layout needs to size margins; a
// test holds them to the fonts.
constexpr int label_glyph_width = 6;
constexpr int exponent_glyph_width = 5;

// A label as the axes write it: the mantissa, and an exponent raised after
// it ("10" and "-3" read as ten to the minus third); plain numbers have no
// exponent.
struct PowerLabel {
  std::string mantissa;
  std::string exponent;

  int width() const;  // in pixels, mantissa and exponent together
};

// The label of the decade 10^e: 1, 10 or 100 written out, any other as 10
// with the raised exponent.
PowerLabel decade_label(int e);

// The text of the line at v: a decade as the decade labels read, any other
// value as a plain number of `precision` significant digits.
PowerLabel tick_label(double v, int rank, bool log, int precision);

// One labelled line of a fitted axis: its value, rank (nice_steps.h) and text.
struct Tick {
  double value;
  int rank;
  PowerLabel label;
};

// The labelled lines of `rule` over the axis, in increasing order, with
// enough digits to tell neighbours apart and one number form on the axis:
// when some plain numbers need the exponent form, all of them take it, on
// log10 the power form of the decades ("5*10" and a raised 8, never
// "5e+008").
std::vector<Tick> axis_ticks(const TickRule& rule, const AxisScale& axis);

// The rule the report style draws and labels an axis by: on log10 over
// fewer than three decades 2x and 5x as well as the decades; on a linear
// axis whose lines would stand closer than 8 layout units, a wider nice
// step whose lines are among the rule's.
TickRule power_rule(const TickRule& rule, const AxisScale& axis);

// The labels the report style writes, of power_rule's lines: on log10
// every one as a power of ten (10 and a raised 8, 2*10 and a raised 8),
// whatever the range; on a linear axis those of axis_ticks, but for the
// exponent form (2.5e+006), written as a power of ten too (2.5*10 and a
// raised 6).
std::vector<Tick> power_ticks(const TickRule& rule, const AxisScale& axis);
