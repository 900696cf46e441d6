#pragma once

#include <cstddef>
#include <vector>

#include "core/response_point.h"

// What a LogTable holds besides log10 of each frequency: log10 of the
// amplitudes, or the phases in degrees unwrapped in frequency order, so
// that a wrap between two points never interpolates into a spike.
enum class TableValues { log_amplitude, unwrapped_phase };

// A response in frequency order for looking values up between its points,
// built from the points a logarithm can take (a frequency, and for
// amplitudes the amplitude, above 0).
class LogTable {
 public:
  LogTable(const PointList& points, TableValues values);

  // How many points a logarithm could not take.
  size_t left_out() const { return left_out_; }
  // Whether frequency f lies within the table's.
  bool covers(double f) const;
  // The value at frequency f inside the table's range, linear in log
  // frequency between its neighbours (in log10 for amplitudes); at a
  // frequency listed twice, the later value.
  double at(double f) const;

 private:
  std::vector<double> log_f_, value_;
  bool log_values_;  // amplitudes: looked up in log10
  size_t left_out_ = 0;
};

// The points with a frequency above 0, in frequency order (a stable sort:
// a frequency listed twice keeps its points in file order).
PointList in_frequency_order(const PointList& points);
