#pragma once

#include <string>
#include <string_view>

// Which channel epochs a run asks for: CHANNEL=NET.STA.LOC.CHA (each part
// may hold * and ?; an empty location is written "" or "--") and TIME=.
struct ChannelFilter {
  std::string parts[4] = {"*", "*", "*", "*"};  // network, station, location, channel
  std::string time;                             // normalised (normal_time); empty: any epoch
};

// Reads CHANNEL= into `filter`; false when it is not four parts.
bool parse_channel_pattern(std::string_view pattern, ChannelFilter& filter);

// A time as TIME= and the metadata write it, in one form that compares as
// text: "2010-01-01T06:54:32.000000". Takes ISO 8601 ("2010-01-01",
// "2010-01-01T06:54:32[.fff][Z]") and SEED day form ("2010,001[,06:54:32[.ffff]]").
// Returns "" when `text` is neither.
std::string normal_time(std::string_view text);

// Whether the channel's codes match the filter's pattern (ASCII letters in
// any case); a location "--" is the empty one.
bool channel_matches(const ChannelFilter& filter, std::string_view network,
                     std::string_view station, std::string_view location, std::string_view channel);

// Whether the epoch [start, end) (normalised; end "" when open) holds the
// filter's time; without a time every epoch does.
bool epoch_holds(const ChannelFilter& filter, const std::string& start, const std::string& end);
