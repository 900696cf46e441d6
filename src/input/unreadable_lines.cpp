#include "input/unreadable_lines.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "core/ascii_case.h"
#include "core/scan_number.h"

namespace {

constexpr double missing = -1.0;  // what the point reader takes for no number

bool usable(double v) {
  return v != missing && std::isfinite(v);
}

bool is_blank(char c) {
  return c == ' ' || c == '\t';
}

bool starts_folded(const char* p, const char* end, const char* word) {
  size_t n = strlen(word);
  return static_cast<size_t>(end - p) >= n && equal_folded(p, word, n);
}

// Whether [p, end) is the separator and then a not-a-number or infinity as
// C's printf spells them ("nan", "-nan", "inf", "Infinity", any case): the
// point reader reads no such number, yet a program wrote it as a value.
bool names_no_number(const char* p, const char* end) {
  if (p == end) return false;
  ++p;  // the one separator character
  while (p < end && is_blank(*p)) ++p;
  if (p < end && (*p == '+' || *p == '-')) ++p;
  return starts_folded(p, end, "nan") || starts_folded(p, end, "inf");
}

}  // namespace

PointList unreadable_lines(std::string_view text, bool words) {
  PointList out;
  const char* p = text.data();
  const char* end = p + text.size();
  while (p < end) {
    const char* lf = static_cast<const char*>(memchr(p, '\n', static_cast<size_t>(end - p)));
    const char* line_end = lf ? lf : end;
    double f = missing, a = missing;
    const char* after = scan_double(p, line_end, f);
    if (after != nullptr && usable(f)) {
      if (scan_double_pair(p, line_end, f, a) == 2) {
        if (!usable(a)) out.push_back({f, a});
      } else if (words && names_no_number(after, line_end)) {
        out.push_back({f, std::numeric_limits<double>::quiet_NaN()});
      }
    }
    p = line_end + 1;
  }
  return out;
}
