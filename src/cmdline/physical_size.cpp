#include "cmdline/physical_size.h"

#include <cmath>
#include <cstring>

#include "core/ascii_case.h"
#include "core/scan_number.h"

namespace {

constexpr double points_per_inch = 72;
constexpr double mm_per_inch = 25.4;

constexpr struct LengthUnit {
  const char* name;
  double points;
} length_units[] = {{"mm", points_per_inch / mm_per_inch},
                    {"cm", 10 * points_per_inch / mm_per_inch},
                    {"in", points_per_inch},
                    {"pt", 1}};
constexpr size_t unit_chars = 2;

// The unit at p, or nullptr.
const LengthUnit* unit_at(const char* p, const char* end) {
  if (static_cast<size_t>(end - p) < unit_chars) return nullptr;
  for (const LengthUnit& u : length_units) {
    if (equal_folded(p, u.name, unit_chars)) return &u;
  }
  return nullptr;
}

// One length: a number and its unit. Returns the position after it, or
// nullptr.
const char* read_length(const char* p, const char* end, double& points) {
  double v = 0;
  const char* stop = scan_double(p, end, v);
  if (stop == nullptr) return nullptr;
  const LengthUnit* u = unit_at(stop, end);
  if (u == nullptr || !(v > 0) || !std::isfinite(v)) return nullptr;
  points = v * u->points;
  return stop + unit_chars;
}

}  // namespace

bool has_length_unit(const char* value) {
  const char* end = value + strlen(value);
  double v = 0;
  const char* stop = scan_double(value, end, v);
  return stop != nullptr && unit_at(stop, end) != nullptr;
}

bool read_physical_size(const char* value, double& width_pt, double& height_pt) {
  const char* end = value + strlen(value);
  const char* p = read_length(value, end, width_pt);
  if (p == nullptr || p >= end) return false;
  p = read_length(p + 1, end, height_pt);
  return p == end;
}
