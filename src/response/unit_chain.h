#pragma once

#include <string>
#include <vector>

#include "response/channel_response.h"

// Whether each stage's output units are the next one's input units, over
// the stages at [begin, end) of `stages`. Gain-only stages and stages that
// state no units are passed over: they only scale. Returns 0, or -1 with
// `why` naming the two stages and their units.
int check_unit_chain(const std::vector<Stage>& stages, size_t begin, size_t end, std::string& why);
