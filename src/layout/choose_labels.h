#pragma once

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include "layout/nice_steps.h"
#include "layout/tick_labels.h"

// The least free room between two labels along their axis.
constexpr int label_spacing = 4;

// Which labels of an axis's ticks are shown: decades first, then 2x and 5x,
// then the other multiples, each left out when it would come closer than
// label_spacing to one already kept. `place(tick)` gives the tick's label
// with the span it covers along the axis, `from` to `to`, or nothing when
// its line lies off the area. The labels come back in the order kept.
template <class Label, class Place>
std::vector<Label> choose_labels(std::vector<Tick>& ticks, Place place) {
  std::vector<Label> kept;
  auto crowds = [&](const Label& a) {
    return std::any_of(kept.begin(), kept.end(), [&](const Label& b) {
      return a.from < b.to + label_spacing && b.from < a.to + label_spacing;
    });
  };
  for (int rank = 0; rank <= every_multiple; ++rank) {
    for (Tick& t : ticks) {
      if (t.rank != rank) continue;
      std::optional<Label> label = place(t);
      if (label && !crowds(*label)) kept.push_back(std::move(*label));
    }
  }
  return kept;
}
