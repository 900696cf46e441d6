#pragma once

#include <string>
#include <vector>

#include "metadata/channel_filter.h"
#include "response/channel_response.h"

// What read_inventories reports besides 0, as a run reports the same
// failure of its IN= file (the shell sees 254 and 253).
constexpr int inventory_not_read = -2;  // a file could not be opened or read
constexpr int inventory_unusable = -3;  // not station metadata, or metadata refused

// Every channel epoch of the files (StationXML or RESP, told apart by
// content as IN= tells them) that `filter` keeps, appended to `epochs` in
// file order. Returns 0, or one of the statuses above with the message
// line in last_error and the cause, naming the file, on standard error.
int read_inventories(const std::vector<std::string>& paths, const ChannelFilter& filter,
                     std::vector<ChannelResponse>& epochs);
