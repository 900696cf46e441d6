#include "response/units.h"

#include <string>

#include "core/ascii_case.h"

namespace {

struct LengthUnit {
  const char* name;
  double metres;
};

// Longest names first, so that "MM" is not read as "M".
constexpr LengthUnit lengths[] = {
    {"NM", 1e-9}, {"UM", 1e-6}, {"MM", 1e-3}, {"CM", 1e-2}, {"M", 1},
};

// How a unit's time part is written after its length: each spelling's power of 1/s.
struct TimePart {
  const char* text;
  MotionKind kind;
};
constexpr TimePart time_parts[] = {
    {"", MotionKind::displacement},        {"/S", MotionKind::velocity},
    {"/SEC", MotionKind::velocity},        {"/S**2", MotionKind::acceleration},
    {"/S/S", MotionKind::acceleration},    {"/S2", MotionKind::acceleration},
    {"/SEC**2", MotionKind::acceleration}, {"/SEC/SEC", MotionKind::acceleration},
    {"/SEC2", MotionKind::acceleration},
};

std::string upper(std::string_view s) {
  std::string u(s);
  for (char& c : u) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return u;
}

}  // namespace

std::string_view units_word(std::string_view units) {
  size_t start = units.find_first_not_of(" \t");
  if (start == std::string_view::npos) return {};
  units = units.substr(start);
  return units.substr(0, units.find_first_of(" \t"));
}

bool same_units(std::string_view a, std::string_view b) {
  a = units_word(a), b = units_word(b);
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (fold_ascii(a[i]) != fold_ascii(b[i])) return false;
  }
  return true;
}

UnitsInfo read_units(std::string_view units) {
  const std::string u = upper(units_word(units));
  for (const LengthUnit& length : lengths) {
    std::string_view name = length.name;
    if (u.compare(0, name.size(), name) != 0) continue;
    std::string_view rest = std::string_view(u).substr(name.size());
    for (const TimePart& part : time_parts) {
      if (rest == part.text) return {part.kind, length.metres};
    }
    return {};
  }
  return {};
}
