#include "core/unwrap.h"

#include <cmath>
#include <cstddef>

void unwrap_phase(PointList& phases) {
  constexpr double half_turn = 180.0;
  constexpr double turn = 360.0;
  double offset = 0;  // the whole turns added so far
  double previous = 0;
  for (size_t i = 0; i < phases.size(); ++i) {
    double raw = phases[i].y;
    if (i > 0) {
      double jump = raw - previous;
      if (std::fabs(jump) > half_turn) offset -= turn * std::round(jump / turn);
    }
    previous = raw;
    phases[i].y = raw + offset;
  }
}
