#include "encode/curve_text.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

// %.10g: beyond the 9 significant digits a comparison with a response
// evaluator's outputs needs.
constexpr char point_format[] = "%.10g %.10g";
constexpr char phase_format[] = " %.10g";
constexpr size_t most_line = 3 * 32;  // three numbers of %.10g with their blanks

void append(std::vector<unsigned char>& text, const std::string& s) {
  text.insert(text.end(), s.begin(), s.end());
}

// The phases in frequency order, for finding the one at a point's frequency.
PointList sorted_phases(const PointList& phases) {
  PointList sorted = phases;
  std::stable_sort(sorted.begin(), sorted.end(),
                   [](const ResponsePoint& a, const ResponsePoint& b) { return a.x < b.x; });
  return sorted;
}

const ResponsePoint* phase_at(const PointList& sorted, double f) {
  auto it = std::lower_bound(sorted.begin(), sorted.end(), f,
                             [](const ResponsePoint& p, double x) { return p.x < x; });
  return it != sorted.end() && it->x == f ? &*it : nullptr;
}

void encode_curve(const Curve& c, const PlotOptions& o, std::vector<unsigned char>& text) {
  std::string head = "# " + key_and_path(o, c.input);
  if (!c.about.empty()) head += " " + c.about;
  static constexpr const char* unit_names[] = {"DIS", "VEL", "ACC"};
  if (o.units_to >= 0 && o.units_to < 3) head += std::string(" in ") + unit_names[o.units_to];
  append(text, head + "\n");
  PointList phases = sorted_phases(c.phases);
  char line[most_line];
  for (const ResponsePoint& p : c.points) {
    int n = snprintf(line, sizeof line, point_format, p.x, p.y);
    if (const ResponsePoint* ph = phase_at(phases, p.x)) {
      n += snprintf(line + n, sizeof line - n, phase_format, ph->y);
    }
    line[n++] = '\n';
    text.insert(text.end(), line, line + n);
  }
}

}  // namespace

void encode_fap(const CurveList& curves, const PlotOptions& o, std::vector<unsigned char>& text) {
  for (const Curve& c : curves) encode_curve(c, o, text);
}
