#include "input/str2graph.h"

#include <cmath>
#include <cstring>
#include <new>

#include "core/fail.h"
#include "core/run_together.h"
#include "core/scan_number.h"

namespace {

// -1 marks a missing number; NaN compares unequal to everything, and an
// infinity is a number too large to be an amplitude or frequency.
bool usable(double v) {
  return v != -1.0 && std::isfinite(v);
}

size_t line_count(std::string_view text) {
  size_t lines = 1;
  const char* end = text.data() + text.size();
  for (const char* p = text.data(); (p = static_cast<const char*>(memchr(p, '\n', end - p)));) {
    ++lines;
    ++p;
  }
  return lines;
}

// A point line needs three bytes and a line end ("1 2\n"): the list is
// reserved at the most points the text can hold, which costs nothing for the
// pages never filled. Where the kernel will not lend pages it may never be
// asked for, the lines are counted instead.
void reserve_points(std::string_view text, PointList& points) {
  try {
    points.reserve(text.size() / 4 + 1);
  } catch (const std::bad_alloc&) {
    points.reserve(line_count(text));
  }
}

void extract(std::string_view text, PointList& points) {
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

// Below this a second thread costs more than it saves.
constexpr size_t halves_from = size_t{4} << 20;

// Extracts the points of the file's text, the two halves of a big text (cut
// after a line feed) at once, and releases the text.
void extract_all(FileText& file, PointList& points) {
  std::string_view text = file.view();
  reserve_points(text, points);
  size_t lf = text.size() < halves_from ? std::string_view::npos : text.find('\n', text.size() / 2);
  if (lf == std::string_view::npos) {
    extract(text, points);
    return;
  }
  std::string_view head = text.substr(0, lf + 1), tail = text.substr(lf + 1);
  PointList later;
  run_together([&] { extract(head, points); },
               [&] {
                 reserve_points(tail, later);
                 extract(tail, later);
               });
  file = FileText();  // gone before the halves are joined, so its pages and the copy never meet
  points.insert(points.end(), later.begin(), later.end());
}

}  // namespace

int str2graph(FileText text, PointList& points) {
  points.clear();
  try {
    extract_all(text, points);
  } catch (const std::bad_alloc&) {
    points.clear();
    return fail("str2graph(): Not enough memory for the points", -1);
  }
  if (points.empty()) return fail("str2graph(): Couldn't find any point", -1);
  return 0;
}
