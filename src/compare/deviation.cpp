#include "compare/deviation.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "compare/reference_cover.h"
#include "core/decibels.h"
#include "core/diagnostic.h"
#include "core/fail.h"
#include "core/log_table.h"
#include "core/messages.h"
#include "core/unwrap.h"

namespace {

constexpr double turn = 360;

bool usable_amplitude(const ResponsePoint& p) {
  return p.y > 0 && std::isfinite(p.y);
}

// What the reference offers: values to look up, and where they may be used.
struct Reference {
  LogTable amplitudes, phases;
  ReferenceCover cover;
  bool with_phase;

  Reference(const Curve& c, bool phase)
      : amplitudes(c.points, TableValues::log_amplitude),
        phases(c.phases, TableValues::unwrapped_phase),
        cover(c),
        with_phase(phase) {}
};

std::optional<Unjudged> amplitude_fault(const ResponsePoint& p, Coverage reference) {
  if (!std::isfinite(p.y)) return Unjudged::amplitude_not_finite;
  if (!(p.y > 0)) return Unjudged::amplitude_not_positive;
  if (reference == Coverage::beyond) return Unjudged::beyond_reference;
  if (reference == Coverage::dead) return Unjudged::reference_dead;
  return std::nullopt;
}

std::optional<Unjudged> phase_fault(bool own, Coverage reference) {
  if (!own) return Unjudged::no_phase;
  if (reference != Coverage::usable) return Unjudged::no_reference_phase;
  return std::nullopt;
}

// The amplitude deviation at each point the reference can judge, a NaN at
// each it cannot, and those points in `c.not_judged`; with the phase, the
// frequencies whose phase cannot be judged in `phase_gaps`. Returns how
// many points have an amplitude above 0 inside the reference's usable span.
size_t amplitude_deviation(Reference& ref, Curve& c, PointList& phase_gaps) {
  std::vector<double> own_phases;
  if (ref.with_phase) own_phases = sorted_frequencies(c.phases);
  size_t own_at = 0;
  PointList sorted = in_frequency_order_with_unreadable(c);
  size_t in_common = 0;
  for (size_t i = 0; i < sorted.size(); ++i) {
    const ResponsePoint& p = sorted[i];
    if (usable_amplitude(p) && ref.amplitudes.covers(p.x)) ++in_common;
    Cover cover = ref.cover.at(p.x);
    std::optional<Unjudged> why = amplitude_fault(p, cover.amplitude);
    double db = NAN;
    if (!why) db = db_per_decade * (std::log10(p.y) - std::log10(ref.amplitudes.at(p.x)));
    if (!why && !std::isfinite(db)) why = Unjudged::reference_dead;
    c.deviation.push_back({p.x, why ? NAN : db});
    std::optional<Unjudged> phase_why;
    if (ref.with_phase) {
      phase_why = phase_fault(holds_frequency(own_phases, p.x, own_at), cover.phase);
    }
    if (phase_why) phase_gaps.push_back({p.x, NAN});
    if (!why) why = phase_why;
    if (why) c.not_judged.push_back({p.x, i, *why});
  }
  return in_common;
}

// The deviation with the gaps merged in, in frequency order.
PointList with_gaps(PointList deviation, const PointList& gaps) {
  if (gaps.empty()) return deviation;
  PointList out(deviation.size() + gaps.size());
  std::merge(deviation.begin(), deviation.end(), gaps.begin(), gaps.end(), out.begin(),
             [](const ResponsePoint& a, const ResponsePoint& b) { return a.x < b.x; });
  return out;
}

PointList phase_deviation(Reference& ref, const Curve& c, const PointList& gaps) {
  PointList sorted = in_frequency_order(c.phases);
  unwrap_phase(sorted);
  PointList out;
  for (const ResponsePoint& p : sorted) {
    if (ref.cover.at(p.x).phase != Coverage::usable) continue;
    double difference = p.y - ref.phases.at(p.x);
    if (std::isfinite(difference)) out.push_back({p.x, difference});
  }
  unwrap_phase(out);
  if (!out.empty()) {
    double turns = std::round(out.front().y / turn);
    for (ResponsePoint& p : out) p.y -= turns * turn;
  }
  return with_gaps(std::move(out), gaps);
}

int deviations_of(CurveList& curves, const PlotOptions& o) {
  Reference ref(curves.front(), o.phase);
  if (ref.amplitudes.left_out() > 0) {
    diagnose(key_and_path(o, curves.front().input) + ": " +
             std::to_string(ref.amplitudes.left_out()) +
             " points with a frequency or amplitude <= 0 are left out of the deviation");
  }
  for (size_t i = 1; i < curves.size(); ++i) {
    Curve& c = curves[i];
    PointList phase_gaps;
    if (amplitude_deviation(ref, c, phase_gaps) == 0) {
      last_error = std::string(message::no_common_frequency) + ": " + key_and_path(o, c.input);
      return -1;
    }
    if (o.phase) c.phase_deviation = phase_deviation(ref, c, phase_gaps);
  }
  return 0;
}

}  // namespace

int compute_deviations(CurveList& curves, const PlotOptions& o) {
  try {
    return deviations_of(curves, o);
  } catch (const std::bad_alloc&) {
    return fail(message::no_memory_for_points, -1);
  }
}

void note_not_judged(const CurveList& curves, const PlotOptions& o) {
  for (size_t i = 1; i < curves.size(); ++i) {
    size_t n = curves[i].not_judged.size();
    if (n == 0) continue;
    diagnose(key_and_path(o, curves[i].input) + ": " + std::to_string(n) +
             (n == 1 ? " point" : " points") + " could not be compared with the IN= response");
  }
}
