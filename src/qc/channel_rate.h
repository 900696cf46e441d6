#pragma once

#include "response/channel_response.h"

// The sample rate the file states for the channel; 0 where only its
// stages give one (RESP without its header's rate), as a check of the
// stages against the channel cannot take the stages' own word for it.
inline double stated_rate(const ChannelResponse& r) {
  if (r.header_sample_rate > 0) return r.header_sample_rate;
  return r.derived_from_stages ? 0 : r.sample_rate;
}

// The channel's rate, stated or else derived from its stages.
inline double channel_rate(const ChannelResponse& r) {
  double stated = stated_rate(r);
  return stated > 0 ? stated : r.sample_rate;
}
