#include "layout/range_diagnostics.h"

#include <cstdio>
#include <string>

#include "core/diagnostic.h"
#include "layout/amplitude_range.h"

namespace {

// "20 to 100 Hz": a frequency range in words.
std::string hertz_text(double lo, double hi) {
  char text[80];
  snprintf(text, sizeof text, "%g to %g Hz", lo, hi);
  return text;
}

// The range the user chose, named by the option that set it.
std::string frequency_range_name(const PlotOptions& o, double x_min, double x_max) {
  std::string range = hertz_text(x_min, x_max);
  return o.x_axis_given ? "X_AXIS= " + range : "the frequency range " + range;
}

}  // namespace

std::string range_text(double lo, double hi) {
  char text[64];
  snprintf(text, sizeof text, "%g;%g", lo, hi);
  return text;
}

std::string inputs_named(const CurveList& curves, const PlotOptions& o) {
  std::string names;
  for (const Curve& c : curves) {
    if (!names.empty()) names += ", ";
    names += key_and_path(o, c.input);
  }
  return names;
}

bool any_point_in(const CurveList& curves, double x_min, double x_max) {
  for (const Curve& c : curves) {
    for (const ResponsePoint& p : c.points) {
      if (x_min <= p.x && p.x <= x_max) return true;
    }
  }
  return false;
}

void diagnose_no_point_in_range(const CurveList& curves, const PlotOptions& o, double x_min,
                                double x_max) {
  for (const Curve& c : curves) {
    double lo = c.points.front().x, hi = lo;
    for (const ResponsePoint& p : c.points) {
      if (p.x < lo) lo = p.x;
      if (p.x > hi) hi = p.x;
    }
    diagnose(key_and_path(o, c.input) + ": no point lies in " +
             frequency_range_name(o, x_min, x_max) + "; the data lies at " + hertz_text(lo, hi) +
             (o.x_axis_given ? "" : " (X_AXIS= or -fit choose the range)"));
  }
}

void diagnose_amplitudes(const CurveList& curves, const PlotOptions& o, double x_min,
                         double x_max) {
  bool any_inside = false;
  for (const Curve& c : curves) {
    double lo, hi;
    if (!find_amplitude_range(c.points, x_min, x_max, lo, hi)) continue;
    any_inside = true;
    if (lo > 0) continue;
    diagnose(key_and_path(o, c.input) + ": an amplitude <= 0 in the frequency range " +
             range_text(x_min, x_max) + " cannot be drawn on a log10 axis (-linY -fit draws it)");
  }
  if (!any_inside) diagnose_no_point_in_range(curves, o, x_min, x_max);
}
