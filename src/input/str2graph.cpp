#include "input/str2graph.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

#include "driver/last_error.h"
#include "input/scan_number.h"

namespace {

// -1 marks a missing number; NaN compares unequal to everything, and an
// infinity is a number too large to be an amplitude or frequency.
bool usable(double v) {
  return v != -1.0 && std::isfinite(v);
}

// A point line needs at least three bytes and a line end ("1 2\n"), so this
// bounds the count without over-reserving for files of blank lines.
size_t most_points(std::string_view text) {
  size_t lines = 1;
  const char* end = text.data() + text.size();
  for (const char* p = text.data(); (p = static_cast<const char*>(memchr(p, '\n', end - p)));) {
    ++lines;
    ++p;
  }
  return std::min(lines, text.size() / 4 + 1);
}

void extract(std::string_view text, std::vector<ResponsePoint>& points) {
  const char* p = text.data();
  const char* end = p + text.size();
  while (p < end) {
    const char* lf = static_cast<const char*>(memchr(p, '\n', end - p));
    const char* line_end = lf ? lf : end;
    const char* content_end =
        (lf && line_end > p && line_end[-1] == '\r') ? line_end - 1 : line_end;
    ResponsePoint point{-1.0, -1.0};
    if (scan_double_pair(p, content_end, point.x, point.y) == 2 && usable(point.x) &&
        usable(point.y)) {
      points.push_back(point);
    }
    p = line_end + 1;
  }
}

}  // namespace

int str2graph(FileText text, std::vector<ResponsePoint>& points) {
  points.clear();
  try {
    points.reserve(most_points(text.view()));
    extract(text.view(), points);
  } catch (const std::bad_alloc&) {
    points.clear();
    last_error = "str2graph(): Not enough memory for the points";
    return -1;
  }
  if (points.empty()) {
    last_error = "str2graph(): Couldn't find any point";
    return -1;
  }
  return 0;
}
