#pragma once

#include <string>
#include <utility>
#include <vector>

#include "metadata/channel_filter.h"
#include "response/channel_response.h"

// NOMINAL= names either one response file (anything IN2= reads: pole-zero,
// RESP, StationXML, points) for every channel, or a table of them: a line
// "PATTERN FILE" each (PATTERN as CHANNEL= writes it, FILE relative to the
// table's folder unless it begins with "/"), "#" lines and blank lines
// passed over, the first matching line winning. A table is told from a
// response file by its first line that is neither blank nor a comment: a
// channel pattern (three dots, no leading digit) and a second word, where
// no point file, pole-zero file or station metadata begins so.
struct NominalTable {
  std::string single;  // the one file for every channel; "" for a table
  std::vector<std::pair<ChannelFilter, std::string>> rows;
};

// Reads NOMINAL=`path`. Returns 0, or inventory_not_read (the file cannot
// be read) or inventory_unusable (a table line that is no "PATTERN FILE"),
// with the message line in last_error and the cause on standard error.
int read_nominal(const std::string& path, NominalTable& table);

// The nominal response file for the channel; "" when the table has none.
std::string nominal_for(const NominalTable& table, const ChannelResponse& r);
