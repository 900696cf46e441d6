#pragma once

#include <string>
#include <vector>

#include "response/channel_response.h"
#include "response/stage_response.h"

// The stages of a chain an evaluation uses: r.stages[begin, end), each
// prepared, and whether they are the whole chain.
struct StageSelection {
  size_t begin = 0, end = 0;
  bool whole = true;
  std::vector<PreparedStage> prepared;
};

// The factor the selected stages' product is scaled by: the product of
// their gains, or the stated sensitivity (asked for with `stated_gain`, or
// where no selected stage states a gain) when the whole chain is selected.
double chain_gain(const ChannelResponse& r, const StageSelection& sel, bool stated_gain);

// Notes on the stated sensitivity against the stages: their gains, each
// moved to the sensitivity frequency, 5 % or more away from it; the
// sensitivity quoted above the Nyquist frequency of the output.
void check_sensitivity(const ChannelResponse& r, const StageSelection& sel,
                       std::vector<std::string>& notes);
