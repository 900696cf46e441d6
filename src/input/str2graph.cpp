#include "input/str2graph.h"

#include <cmath>
#include <cstring>
#include <new>

#include "core/fail.h"
#include "core/messages.h"
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

// The phase after the amplitude: one separator character, then a number
// read as the other two are. A line without one gives no phase point.
void add_phase(const char* p, const char* end, double x, PointList& phases) {
  double amplitude;
  p = scan_double(p, end, amplitude);  // the frequency
  if (p == nullptr || p == end) return;
  p = scan_double(p + 1, end, amplitude);
  if (p == nullptr || p == end) return;
  double phase;
  if (scan_double(p + 1, end, phase) != nullptr && std::isfinite(phase)) {
    phases.push_back({x, phase});
  }
}

// The phases are looked for only when asked for: without them the loop is
// the two-number scan alone.
template <bool with_phases>
void extract(std::string_view text, PointList& points, PointList* phases) {
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
      if constexpr (with_phases) add_phase(p, content_end, point.x, *phases);
    }
    p = line_end + 1;
  }
}

// Below this a second thread costs more than it saves.
constexpr size_t halves_from = size_t{4} << 20;

// Extracts the points (and with `phases` the phase points) of the file's
// text, the two halves of a big text (cut after a line feed) at once, and
// releases the text.
// Returns false when the file was cut shorter meanwhile: the points of the
// lost part are missing, and a line may have been cut in the middle.
template <bool with_phases>
bool extract_all(FileText& file, PointList& points, PointList* phases) {
  std::string_view text = file.view();
  reserve_points(text, points);
  size_t lf = text.size() < halves_from ? std::string_view::npos : text.find('\n', text.size() / 2);
  if (lf == std::string_view::npos) {
    extract<with_phases>(text, points, phases);
    return !file.cut_short();
  }
  std::string_view head = text.substr(0, lf + 1), tail = text.substr(lf + 1);
  PointList later, later_phases;
  run_together([&] { extract<with_phases>(head, points, phases); },
               [&] {
                 reserve_points(tail, later);
                 extract<with_phases>(tail, later, &later_phases);
               });
  bool whole = !file.cut_short();
  file = FileText();  // gone before the halves are joined, so its pages and the copy never meet
  points.insert(points.end(), later.begin(), later.end());
  if constexpr (with_phases)
    phases->insert(phases->end(), later_phases.begin(), later_phases.end());
  return whole;
}

template <bool with_phases>
int extract_points(FileText& text, PointList& points, PointList* phases) {
  points.clear();
  if constexpr (with_phases) phases->clear();
  try {
    if (!extract_all<with_phases>(text, points, phases)) {
      points.clear();
      if constexpr (with_phases) phases->clear();
      return fail(message::file_read_error, -2);
    }
  } catch (const std::bad_alloc&) {
    points.clear();
    if constexpr (with_phases) phases->clear();
    return fail(message::no_memory_for_points, -1);
  }
  if (points.empty()) return fail(message::no_point, -1);
  return 0;
}

}  // namespace

int str2graph(FileText text, PointList& points) {
  return extract_points<false>(text, points, nullptr);
}

int str2graph_with_phases(FileText text, PointList& points, PointList& phases) {
  return extract_points<true>(text, points, &phases);
}
