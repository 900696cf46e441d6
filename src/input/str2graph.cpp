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

// Counted a block at a time, where a search per line would stop at each.
size_t line_feeds(std::string_view text) {
  size_t n = 0;
  for (char c : text) n += c == '\n';
  return n;
}

// The most points a text can hold: a point line needs three bytes and a
// line end ("1 2\n").
size_t most_points(std::string_view text) {
  return text.size() / 4 + 1;
}

// The list is reserved at the most points the text can hold, which costs
// nothing for the pages never filled. Where the kernel will not lend pages
// it may never be asked for, the lines are counted instead.
void reserve_points(std::string_view text, PointList& points) {
  try {
    points.reserve(most_points(text));
  } catch (const std::bad_alloc&) {
    points.reserve(line_feeds(text) + 1);
  }
}

// scan_double_pair into the point, returning where the amplitude ends, or
// nullptr when the line holds no two numbers.
const char* scan_point(const char* p, const char* end, ResponsePoint& point) {
  p = scan_double(p, end, point.x);
  if (p == nullptr || p == end) return nullptr;
  return scan_double(p + 1, end, point.y);
}

// The phase after the amplitude, which ends at p: one separator character,
// then a number read as the other two are. A line without one gives no
// phase point.
template <class Phases>
void add_phase(const char* p, const char* end, double x, Phases& phases) {
  if (p == end) return;
  double phase;
  if (scan_double(p + 1, end, phase) != nullptr && std::isfinite(phase)) {
    phases.push_back({x, phase});
  }
}

// The phases are looked for only when asked for: without them the loop is
// the two-number scan alone.
template <bool with_phases, class Points, class Phases>
void extract(std::string_view text, Points& points, Phases* phases) {
  const char* p = text.data();
  const char* end = p + text.size();
  while (p < end) {
    const char* lf = static_cast<const char*>(memchr(p, '\n', end - p));
    const char* line_end = lf ? lf : end;
    const char* content_end =
        (lf && line_end > p && line_end[-1] == '\r') ? line_end - 1 : line_end;
    ResponsePoint point{-1.0, -1.0};
    const char* amplitude_end = scan_point(p, content_end, point);
    if (amplitude_end != nullptr && usable(point.x) && usable(point.y)) {
      points.push_back(point);
      if constexpr (with_phases) add_phase(amplitude_end, content_end, point.x, *phases);
    }
    p = line_end + 1;
  }
}

// Below this a second thread costs more than it saves.
constexpr size_t halves_from = size_t{4} << 20;

// Points written in order from `at` on, in room reserved for them.
struct PointsAt {
  ResponsePoint* at;
  size_t size = 0;
  void push_back(const ResponsePoint& point) {
    ::new (static_cast<void*>(at + size++)) ResponsePoint(point);
  }
};

// The second half's points after the first's: moved down in the room where
// the first half's lines gave fewer, or copied from their own list.
void join_in_room(PointList& list, const PointsAt& later, bool in_room, const PointList& apart) {
  size_t first = list.size();
  if (!in_room) {
    list.insert(list.end(), apart.begin(), apart.end());
    return;
  }
  if (later.at != list.data() + first) {
    memmove(list.data() + first, later.at, later.size * sizeof(ResponsePoint));
  }
  list.resize(first + later.size);
}

// Extracts the points (and with `phases` the phase points) of the file's
// text, the two halves of a big text (cut after a line feed) at once, and
// releases the text. The second half's points and phases are written
// straight into their lists' reserved room, after one place for each line
// of the first half, which holds at most one; joining then moves them down
// only past the lines that gave none, and no fresh page is touched for a
// copy.
// Returns false when the file was cut shorter meanwhile: the points of the
// lost part are missing, and a line may have been cut in the middle.
template <bool with_phases>
bool extract_all(FileText& file, PointList& points, PointList* phases) {
  std::string_view text = file.view();
  reserve_points(text, points);
  // The phases of a big text too: a list that grows copies itself into
  // fresh pages. A small text's would take heap room that later blocks
  // (the pixels) had on huge pages.
  if constexpr (with_phases) {
    if (text.size() >= halves_from) reserve_points(text, *phases);
  }
  size_t lf = text.size() < halves_from ? std::string_view::npos : text.find('\n', text.size() / 2);
  if (lf == std::string_view::npos) {
    extract<with_phases>(text, points, phases);
    return !file.cut_short();
  }
  std::string_view head = text.substr(0, lf + 1), tail = text.substr(lf + 1);
  ResponsePoint* room = points.data();
  size_t room_size = points.capacity();
  PointsAt later{room}, later_phases_at{with_phases ? phases->data() : nullptr};
  bool in_room = false, phases_in_room = false;
  PointList later_list, later_phases;  // the second half's, when the room is too small
  run_together([&] { extract<with_phases>(head, points, phases); },
               [&] {
                 size_t place = line_feeds(head);
                 in_room = place + most_points(tail) <= room_size;
                 if constexpr (with_phases) {
                   phases_in_room = in_room && place + most_points(tail) <= phases->capacity();
                   if (phases_in_room) later_phases_at.at += place;
                 }
                 if (!in_room) {
                   if constexpr (with_phases) reserve_points(tail, later_phases);
                   reserve_points(tail, later_list);
                   extract<with_phases>(tail, later_list, &later_phases);
                   return;
                 }
                 later.at = room + place;
                 if (phases_in_room) {
                   extract<with_phases>(tail, later, &later_phases_at);
                 } else {
                   if constexpr (with_phases) reserve_points(tail, later_phases);
                   extract<with_phases>(tail, later, &later_phases);
                 }
               });
  bool whole = !file.cut_short();
  file = FileText();  // gone before a copy, so its pages and the copy's never meet
  join_in_room(points, later, in_room, later_list);
  if constexpr (with_phases) join_in_room(*phases, later_phases_at, phases_in_room, later_phases);
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
