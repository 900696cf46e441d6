#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

// The grid loops may run billions of steps (a sub-grid count of 2^31), yet
// only the steps that land on a new column or row change the picture: a
// dashed line drawn again on the same spot sets the same pixels. For a
// position key(j) that never decreases in j, this calls visit(c) once for
// every distinct value c that key(j), j = 1 ... last, takes strictly
// between low and high, in increasing order, and skips the rest by
// galloping and bisecting on the same key.
template <class Key, class Visit>
void visit_distinct(int64_t last, int64_t low, int64_t high, Key key, Visit visit) {
  int64_t j = 1;
  while (j <= last) {
    int64_t c = key(j);
    if (c >= high) return;  // every later step lies beyond
    if (c > low) visit(c);
    int64_t threshold = std::max(c, low);
    int64_t below = j;  // key(below) <= threshold
    int64_t above = j + 1;
    for (int64_t step = 1; above <= last && key(above) <= threshold; step *= 2) {
      below = above;
      above = below + step;
    }
    above = std::min(above, last + 1);  // past the end, or key(above) > threshold
    while (above - below > 1) {
      int64_t mid = below + (above - below) / 2;
      (key(mid) <= threshold ? below : above) = mid;
    }
    j = above;
  }
}

// A grid position truncated toward zero, kept monotonic where it leaves the
// 32-bit range (such positions are never drawn).
inline int64_t position_key(double position) {
  if (std::isnan(position)) return -4000000000;
  return static_cast<int64_t>(std::clamp(position, -4e9, 4e9));
}
