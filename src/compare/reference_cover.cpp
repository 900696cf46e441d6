#include "compare/reference_cover.h"

#include <algorithm>
#include <cmath>

#include "core/log_table.h"

namespace {

constexpr unsigned char amplitude_bit = 1, phase_bit = 2;

// The first place from `at` on whose value is not below f: doubling steps,
// then a binary search, so that a walk in increasing order costs about one
// step a point and a jump a logarithm.
size_t lower_from(const std::vector<double>& sorted, double f, size_t at) {
  if (at > sorted.size() || (at > 0 && sorted[at - 1] >= f)) at = 0;
  size_t step = 1, hi = at;
  while (hi < sorted.size() && sorted[hi] < f) {
    at = hi + 1;
    hi += step;
    step *= 2;
  }
  hi = std::min(hi, sorted.size());
  return static_cast<size_t>(std::lower_bound(sorted.begin() + at, sorted.begin() + hi, f) -
                             sorted.begin());
}

}  // namespace

ReferenceCover::ReferenceCover(const Curve& reference) {
  PointList sorted = in_frequency_order_with_unreadable(reference);
  std::vector<double> phases = sorted_frequencies(reference.phases);
  f_.reserve(sorted.size());
  usable_.reserve(sorted.size());
  size_t k = 0;
  for (const ResponsePoint& p : sorted) {
    f_.push_back(p.x);
    bool amplitude = p.y > 0 && std::isfinite(p.y);
    bool phase = holds_frequency(phases, p.x, k);
    usable_.push_back((amplitude ? amplitude_bit : 0) | (phase ? phase_bit : 0));
  }
}

Coverage ReferenceCover::coverage(size_t first, size_t end, unsigned char bit) const {
  if (first < end) {
    for (size_t k = first; k < end; ++k) {
      if (usable_[k] & bit) return Coverage::usable;
    }
    return Coverage::dead;
  }
  // Inside the span and at no point: a neighbour on each side.
  return (usable_[first - 1] & usable_[first] & bit) ? Coverage::usable : Coverage::dead;
}

Cover ReferenceCover::at(double f) {
  if (f_.empty() || !(f_.front() <= f && f <= f_.back()))
    return {Coverage::beyond, Coverage::beyond};
  size_t first = lower_from(f_, f, from_), end = first;
  while (end < f_.size() && f_[end] == f) ++end;
  from_ = first;
  return {coverage(first, end, amplitude_bit), coverage(first, end, phase_bit)};
}

std::vector<double> sorted_frequencies(const PointList& points) {
  std::vector<double> f;
  f.reserve(points.size());
  for (const ResponsePoint& p : points) f.push_back(p.x);
  std::sort(f.begin(), f.end());
  return f;
}

bool holds_frequency(const std::vector<double>& sorted, double f, size_t& at) {
  at = lower_from(sorted, f, at);
  return at < sorted.size() && sorted[at] == f;
}

PointList in_frequency_order_with_unreadable(const Curve& c) {
  if (c.unreadable.empty()) return in_frequency_order(c.points);
  PointList all;
  all.reserve(c.points.size() + c.unreadable.size());
  all.insert(all.end(), c.points.begin(), c.points.end());
  all.insert(all.end(), c.unreadable.begin(), c.unreadable.end());
  return in_frequency_order(all);
}
