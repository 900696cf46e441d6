#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "metadata/broken_epochs.h"
#include "metadata/channel_filter.h"
#include "response/channel_response.h"

// Whether the text is SEED RESP: its first line that is neither blank nor a
// "#" comment is a blockette field, "BnnnFnn". Point files begin with a
// number, pole-zero files with a keyword or "*": neither is taken.
bool is_resp(std::string_view text);

// Reads the channel epochs of SEED RESP text (as rdseed and data centres
// write it: blockettes 50 and 52 begin each epoch; 53, 54, 55, 57, 58, 61
// and 62 give its stages and, at stage 0, its sensitivity) into `out`,
// keeping those the filter matches. Returns 0, or -1 with `why` ("line N:
// reason"): a line that is no blockette field, a count the rows listed do
// not meet, a number out of range, a stage missing from the sequence or
// described twice, units that do not chain from stage to stage. With
// `on_broken` keep, an epoch's own faults (not the text's) leave it in
// `out`, marked `unreadable` (units that do not chain: unmarked, as its
// stages are whole). The header's sample rate (B052 F18), where
// stated, is kept beside the rate derived from the stages.
int read_resp(std::string_view text, const ChannelFilter& filter, std::vector<ChannelResponse>& out,
              std::string& why, BrokenEpochs on_broken = BrokenEpochs::refuse);
