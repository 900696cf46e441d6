#pragma once

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

#include "layout/nice_steps.h"
#include "layout/tick_labels.h"

// The least free room between two labels along their axis.
constexpr int label_spacing = 4;

// Whether `a` comes closer than label_spacing to one of `kept`.
template <class Label>
bool crowds(const std::vector<Label>& kept, const Label& a) {
  return std::any_of(kept.begin(), kept.end(), [&](const Label& b) {
    return a.from < b.to + label_spacing && b.from < a.to + label_spacing;
  });
}

// Which labels of an axis's ticks are shown: decades first, then 2x and 5x,
// then the other multiples, each left out when it would come closer than
// label_spacing to one already kept. `place(tick)` gives the tick's label
// with the span it covers along the axis, `from` to `to`, or nothing when
// its line lies off the area. The labels come back in the order kept.
template <class Label, class Place>
std::vector<Label> choose_labels(std::vector<Tick>& ticks, Place place) {
  std::vector<Label> kept;
  for (int rank = 0; rank <= every_multiple; ++rank) {
    for (Tick& t : ticks) {
      if (t.rank != rank) continue;
      std::optional<Label> label = place(t);
      if (label && !crowds(kept, *label)) kept.push_back(std::move(*label));
    }
  }
  return kept;
}

// Whether labelling every k-th line reads as round: k is 1, 2, 4 or 5
// times a power of ten.
inline bool round_multiple(size_t k) {
  while (k >= 10 && k % 10 == 0) k /= 10;
  return k == 1 || k == 2 || k == 4 || k == 5;
}

// The labels of a linear axis whose lines stand `step` apart: every line's,
// else those at the multiples of the least wider step (every 2nd, 4th,
// 5th, 10th line..., or a nice step) whose labels all stand clear of each
// other, so that they step evenly through 0. Chosen by rank instead, 0 and
// +-tolerance would be labelled first and the rest filled in from one end,
// leaving an uneven step where the two met (40, 20, 0, -30, -50). Where
// fewer than two labels would be left, they are chosen by rank.
template <class Label, class Place>
std::vector<Label> choose_even_labels(std::vector<Tick>& ticks, double step, Place place) {
  for (size_t k = 1; k <= ticks.size(); ++k) {
    double wider = step * static_cast<double>(k);
    if (!round_multiple(k) && !nice_step(wider)) continue;
    std::vector<Label> kept;
    bool clear = true;
    for (const Tick& t : ticks) {
      // Counted in whole lines from 0: far from it a value's rounding would
      // pass for a multiple.
      if (std::fmod(std::round(t.value / step), static_cast<double>(k)) != 0) continue;
      Tick taken = t;  // place() takes its label
      std::optional<Label> label = place(taken);
      if (!label) continue;
      clear = clear && !crowds(kept, *label);
      kept.push_back(std::move(*label));
    }
    if (kept.size() < 2) break;
    if (clear) return kept;
  }
  return choose_labels<Label>(ticks, place);
}
