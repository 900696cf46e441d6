#include <algorithm>
#include <cmath>
#include <numbers>

#include "response/stage_response.h"

namespace {

constexpr double degree = std::numbers::pi / 180;

std::complex<double> point_value(const ListPoint& p) {
  return std::polar(p.amplitude, p.phase_deg * degree);
}

}  // namespace

bool list_value(const std::vector<ListPoint>& list, double f, std::complex<double>& h) {
  // The list is in rising frequency (the reader makes sure).
  auto above = std::lower_bound(list.begin(), list.end(), f,
                                [](const ListPoint& p, double x) { return p.frequency < x; });
  if (above == list.end()) return false;
  if (above->frequency == f) {
    h = point_value(*above);
    return true;
  }
  if (above == list.begin()) return false;
  const ListPoint& below = *(above - 1);
  double t = (f - below.frequency) / (above->frequency - below.frequency);
  double amplitude = below.amplitude + t * (above->amplitude - below.amplitude);
  // Phase along the shorter way round, so that a step across +-180 degrees
  // does not sweep the whole circle.
  double step = std::remainder(above->phase_deg - below.phase_deg, 360.0);
  h = std::polar(amplitude, (below.phase_deg + t * step) * degree);
  return true;
}
