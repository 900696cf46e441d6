#include "compare/reference_cover.h"

#include <algorithm>

Coverage ReferenceCover::at(double f) const {
  if (f_.empty() || !(f_.front() <= f && f <= f_.back())) return Coverage::beyond;
  auto [first, end] = std::equal_range(f_.begin(), f_.end(), f);
  size_t i = static_cast<size_t>(first - f_.begin()), j = static_cast<size_t>(end - f_.begin());
  if (i < j) {
    for (size_t k = i; k < j; ++k) {
      if (usable_[k]) return Coverage::usable;
    }
    return Coverage::dead;
  }
  // Inside the span and at no point: a neighbour on each side.
  return usable_[i - 1] && usable_[i] ? Coverage::usable : Coverage::dead;
}

std::vector<double> sorted_frequencies(const PointList& points) {
  std::vector<double> f;
  f.reserve(points.size());
  for (const ResponsePoint& p : points) f.push_back(p.x);
  std::sort(f.begin(), f.end());
  return f;
}

bool has_frequency(const std::vector<double>& sorted, double f) {
  return std::binary_search(sorted.begin(), sorted.end(), f);
}
