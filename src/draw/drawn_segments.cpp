#include "draw/drawn_segments.h"

#include <new>

namespace {

constexpr size_t first_slots = 1024;

bool same(const Segment& a, const Segment& b) {
  return a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2 && a.y2 == b.y2;
}

bool is_free(const Segment& s) {
  return same(s, Segment{0, 0, 0, 0});
}

uint64_t pack(int32_t a, int32_t b) {
  return uint64_t{static_cast<uint32_t>(a)} << 32 | static_cast<uint32_t>(b);
}

}  // namespace

// Multiplicative hashing of both ends; the top bits index the table.
size_t DrawnSegments::slot_of(const Segment& s) const {
  uint64_t h = pack(s.x1, s.y1) * 0x9E3779B97F4A7C15u;
  h ^= h >> 31;
  h = (h ^ pack(s.x2, s.y2)) * 0xBF58476D1CE4E5B9u;
  return static_cast<size_t>(h >> shift_);
}

// Doubles the table (at most to max_slots) and re-inserts what it held.
bool DrawnSegments::grow() {
  size_t size = slots_.empty() ? first_slots : slots_.size() * 2;
  if (size > max_slots) return false;
  std::vector<Segment> old;
  old.swap(slots_);
  try {
    slots_.assign(size, Segment{0, 0, 0, 0});
  } catch (const std::bad_alloc&) {
    slots_.swap(old);
    return false;
  }
  shift_ = 64;
  for (size_t n = size; n > 1; n >>= 1) --shift_;
  for (const Segment& s : old) {
    if (is_free(s)) continue;
    size_t i = slot_of(s);
    while (!is_free(slots_[i])) i = (i + 1) & (size - 1);
    slots_[i] = s;
  }
  return true;
}

bool DrawnSegments::first_time(const Segment& s) {
  if (is_free(s)) return true;
  if (2 * (used_ + 1) > slots_.size() && !grow()) {
    if (slots_.empty()) return true;
  }
  size_t mask = slots_.size() - 1;
  for (size_t i = slot_of(s);; i = (i + 1) & mask) {
    if (same(slots_[i], s)) return false;
    if (!is_free(slots_[i])) continue;
    if (2 * (used_ + 1) > slots_.size()) return true;  // full: draw, don't remember
    slots_[i] = s;
    ++used_;
    return true;
  }
}
