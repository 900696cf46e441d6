#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// One curve segment as libgd receives it: from (x1, y1) to (x2, y2).
struct Segment {
  int32_t x1, y1, x2, y2;
};

// Remembers segments already drawn, so that a curve going back and forth
// over the same line pays for its pixels once. A flat open-addressing table:
// no allocation per segment, and it stops growing at max_slots (then it only
// answers for what it already holds), which keeps a dense random curve from
// costing more than a few megabytes. The all-zero segment marks a free slot;
// it is one pixel long and never worth remembering.
class DrawnSegments {
 public:
  static constexpr size_t max_slots = size_t{1} << 18;

  // True the first time `s` is seen (the caller draws it), false after.
  bool first_time(const Segment& s);

 private:
  bool grow();
  size_t slot_of(const Segment& s) const;

  std::vector<Segment> slots_;
  size_t used_ = 0;
  int shift_ = 64;
};
