#include "core/anchor_phase.h"

#include <cmath>

#include "core/log_table.h"

namespace {

constexpr double half_turn = 180;
constexpr double turn = 360;
// Half the power: the usual edge of a passband.
constexpr double passband_edge = 0.70710678118654752;  // 1 / sqrt(2), -3 dB

double largest_amplitude(const PointList& points) {
  double most = 0;
  for (const ResponsePoint& p : points) {
    if (p.x > 0 && std::isfinite(p.y) && p.y > most) most = p.y;
  }
  return most;
}

}  // namespace

double phase_anchor(const Curve& c, double norm_f) {
  double lo = 0, hi = 0;
  for (const ResponsePoint& p : c.points) {
    if (p.x > 0 && (lo == 0 || p.x < lo)) lo = p.x;
    if (p.x > hi) hi = p.x;
  }
  if (lo == 0) return 0;
  if (norm_f >= lo && norm_f <= hi) return norm_f;
  double edge = passband_edge * largest_amplitude(c.points);
  if (edge > 0) {
    double band_lo = 0, band_hi = 0;
    for (const ResponsePoint& p : c.points) {
      if (!(p.x > 0 && p.y >= edge && std::isfinite(p.y))) continue;
      if (band_lo == 0 || p.x < band_lo) band_lo = p.x;
      if (p.x > band_hi) band_hi = p.x;
    }
    lo = band_lo, hi = band_hi;
  }
  return std::sqrt(lo * hi);
}

void anchor_phases(Curve& c, double norm_f) {
  if (!c.computed_phases || c.phases.empty()) return;
  double f = phase_anchor(c, norm_f);
  LogTable table(c.phases, TableValues::unwrapped_phase);
  if (!(f > 0) || !table.covers(f)) return;
  double turns = std::ceil((table.at(f) - half_turn) / turn);
  if (!std::isfinite(turns) || turns == 0) return;
  for (ResponsePoint& p : c.phases) p.y -= turns * turn;
}
