#pragma once

#include <vector>

#include "core/log_table.h"
#include "core/response_point.h"

// Whether the reference can give a value at a frequency.
enum class Coverage { usable, beyond, dead };

// The reference's points with a frequency above 0, in frequency order, each
// marked whether its value can be used. A frequency between two usable
// neighbours, or at a usable point, is usable; one next to a point that is
// not lies in a dead band, which interpolating across would only invent.
class ReferenceCover {
 public:
  // `usable` tells for each point whether its value can be used.
  template <class Usable>
  ReferenceCover(const PointList& points, Usable usable) {
    for (const ResponsePoint& p : in_frequency_order(points)) {
      f_.push_back(p.x);
      usable_.push_back(usable(p));
    }
  }

  Coverage at(double f) const;

 private:
  std::vector<double> f_;
  std::vector<bool> usable_;
};

// The frequencies of `points` in increasing order, for has_frequency.
std::vector<double> sorted_frequencies(const PointList& points);
bool has_frequency(const std::vector<double>& sorted, double f);
