#pragma once

#include <cstddef>
#include <vector>

#include "core/curve.h"

// Whether the reference can give a value at a frequency.
enum class Coverage { usable, beyond, dead };

// What the reference can give at one frequency: an amplitude, a phase.
struct Cover {
  Coverage amplitude, phase;
};

// The reference's points with a frequency above 0, in frequency order, each
// marked whether its amplitude (above 0 and finite) and its phase (one
// listed at its frequency) can be used. A frequency between two usable
// neighbours, or at a usable point, is usable; one next to a point that is
// not lies in a dead band, which interpolating across would only invent.
class ReferenceCover {
 public:
  explicit ReferenceCover(const Curve& reference);

  // Frequencies asked for in increasing order cost least: each search
  // starts where the one before ended.
  Cover at(double f);

 private:
  Coverage coverage(size_t first, size_t end, unsigned char bit) const;
  std::vector<double> f_;
  std::vector<unsigned char> usable_;  // amplitude_bit, phase_bit
  size_t from_ = 0;
};

// The frequencies of `points` in increasing order.
std::vector<double> sorted_frequencies(const PointList& points);

// Whether a sorted list holds frequency f, for frequencies asked for in
// increasing order: `at` is where the last search ended.
bool holds_frequency(const std::vector<double>& sorted, double f, size_t& at);

// A curve's points with the lines whose amplitude could not be read, which
// a comparison must count though no picture draws them, in frequency order.
PointList in_frequency_order_with_unreadable(const Curve& c);
