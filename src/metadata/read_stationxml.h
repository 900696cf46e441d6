#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "metadata/broken_epochs.h"
#include "metadata/channel_filter.h"
#include "response/channel_response.h"

// FDSN StationXML (1.0 to 1.2, with or without a namespace prefix) read
// into the channel epoch model, keeping only the epochs `filter` asks for.

// Whether the text's root element is FDSNStationXML (any prefix), after an
// optional byte order mark, XML declaration, comments, processing
// instructions and document type declaration.
bool is_stationxml(std::string_view text);

// Reads the file at `path`: mapped where it can be, so that its pages cost
// no heap and the bodies of channels not asked for are passed over unparsed
// (a pipe is read whole instead). Appends the matching channel epochs to
// `out` (none when nothing matches) and returns 0, or returns -1 with `why`
// naming the file, the line, column and element and the reason; `out` is
// then left as it was.
int read_stationxml(const std::string& path, const ChannelFilter& filter,
                    std::vector<ChannelResponse>& out, std::string& why);

// The same for a text already in memory (the run's mapped input file: the
// form a run should use); `source` names it in messages and in each epoch's
// `source`. With `on_broken` keep, a fault inside a channel's element
// leaves that epoch in `out`, marked `unreadable`, and the reading goes on
// past its end tag; faults outside channels still refuse the text.
int read_stationxml_text(std::string_view text, const std::string& source,
                         const ChannelFilter& filter, std::vector<ChannelResponse>& out,
                         std::string& why, BrokenEpochs on_broken = BrokenEpochs::refuse);
