#include "compare/computed_deviation.h"

#include <algorithm>
#include <new>
#include <vector>

#include "core/fail.h"
#include "core/messages.h"

namespace {

void keep_at(PointList& deviation, const std::vector<double>& frequencies) {
  std::erase_if(deviation, [&](const ResponsePoint& p) {
    return !std::binary_search(frequencies.begin(), frequencies.end(), p.x);
  });
}

void keep_at_measured(CurveList& curves) {
  if (curves.empty() || curves.front().computed) return;
  std::vector<double> measured;
  for (const ResponsePoint& p : curves.front().points) measured.push_back(p.x);
  // A measured line that gave no point is evidence a verdict must meet.
  for (const ResponsePoint& p : curves.front().unreadable) measured.push_back(p.x);
  std::sort(measured.begin(), measured.end());
  for (size_t i = 1; i < curves.size(); ++i) {
    if (!curves[i].computed) continue;
    keep_at(curves[i].deviation, measured);
    keep_at(curves[i].phase_deviation, measured);
    // Its points elsewhere are where it was evaluated, not evidence.
    std::erase_if(curves[i].not_judged, [&](const NotJudged& n) {
      return !std::binary_search(measured.begin(), measured.end(), n.f);
    });
  }
}

}  // namespace

int keep_measured_deviations(CurveList& curves) {
  try {
    keep_at_measured(curves);
    return 0;
  } catch (const std::bad_alloc&) {
    return fail(message::no_memory_for_points, -1);
  }
}
