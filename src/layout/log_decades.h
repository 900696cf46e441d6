#pragma once

#include <cmath>

// The decades of a log10 axis from lo to hi, as both grids walk them.
struct DecadeRange {
  double lowest;   // log10(lo)
  double decades;  // log10(hi / lo), the span
  double count;    // decades + 1: passes run while k < count
  // No span, or one too wide for a double: the plan refuses such a range
  // before anything is drawn; a grid asked for it draws nothing.
  bool drawable() const { return decades > 0 && std::isfinite(decades); }
};

inline DecadeRange decade_range(double lo, double hi) {
  double decades = std::log10(hi / lo);
  return {std::log10(lo), decades, decades + 1.0};
}

// Pass k: the decade 10^exponent, and that value clamped into [lo, hi].
struct Decade {
  double exponent;
  double value;
  double clamped;
};

inline Decade decade_at(const DecadeRange& r, int k, double lo, double hi) {
  double f = std::floor(r.lowest + k);
  double d = std::pow(10.0, f);
  double m = lo > d ? lo : d;
  return {f, d, hi < m ? hi : m};
}
