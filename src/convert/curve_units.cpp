#include "convert/curve_units.h"

namespace {

const char* const unit_names[] = {"displacement", "velocity", "acceleration"};

// "IN2=vel.txt (velocity)", or for a computed response "IN=sts.pz
// (poles and zeros: displacement)".
std::string described(const Curve& c, const PlotOptions& o) {
  std::string what = c.computed ? "poles and zeros: " : "";
  return key_and_path(o, c.input) + " (" + what + unit_names[drawn_units(c, o)] + ")";
}

}  // namespace

int own_units(const Curve& c, const PlotOptions& o) {
  if (c.computed) return c.computed->units;
  if (o.in_units[c.input] >= 0) return o.in_units[c.input];
  return o.units_from >= 0 ? o.units_from : o.units_to;
}

int drawn_units(const Curve& c, const PlotOptions& o) {
  int own = own_units(c, o);
  return own >= 0 && o.units_to >= 0 ? o.units_to : own;
}

int conversion_order(const Curve& c, const PlotOptions& o) {
  int own = own_units(c, o);
  return own >= 0 && o.units_to >= 0 ? own - o.units_to : 0;
}

std::vector<std::string> unit_mismatches(const CurveList& curves, const PlotOptions& o) {
  std::vector<std::string> warnings;
  if (curves.empty() || drawn_units(curves.front(), o) < 0) return warnings;
  for (size_t i = 1; i < curves.size(); ++i) {
    int units = drawn_units(curves[i], o);
    if (units < 0 || units == drawn_units(curves.front(), o)) continue;
    warnings.push_back(described(curves[i], o) + " is compared with " +
                       described(curves.front(), o) + " in other units (UNITS= converts them)");
  }
  return warnings;
}
