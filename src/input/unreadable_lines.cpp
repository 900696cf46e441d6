#include "input/unreadable_lines.h"

#include <cmath>
#include <cstring>

#include "core/scan_number.h"

namespace {

constexpr double missing = -1.0;  // what the point reader takes for no number

bool usable(double v) {
  return v != missing && std::isfinite(v);
}

}  // namespace

PointList unreadable_lines(std::string_view text) {
  PointList out;
  const char* p = text.data();
  const char* end = p + text.size();
  while (p < end) {
    const char* lf = static_cast<const char*>(memchr(p, '\n', static_cast<size_t>(end - p)));
    const char* line_end = lf ? lf : end;
    double f = missing, a = missing;
    if (scan_double_pair(p, line_end, f, a) == 2 && usable(f) && !usable(a)) out.push_back({f, a});
    p = line_end + 1;
  }
  return out;
}
