#pragma once

#include <string>
#include <vector>

#include "response/channel_response.h"

// "NET.STA.LOC.CHA", the channel's name in every QC output.
std::string qc_channel_name(const ChannelResponse& r);

// A normalised time ("2010-01-01T00:00:00.000000") to the second, with its
// fraction where that is not zero: as the outputs and TIME= write it.
std::string qc_time(const std::string& normalised);

// The picture's file name for a channel epoch, `extension` ("png") after
// it: "IU.ANMO.00.BHZ_2010-01-01T000000.png". Colons go (a Windows share
// and a URL dislike them), a start's fraction of a second stays where it is
// not zero, and any character of a code but letters, digits and "-" is
// written "_" and its hex code ("H/Z": "H_2FZ"), so that names differ where
// channels do.
std::string picture_name(const ChannelResponse& r, const std::string& extension);

// Makes the names distinct, in their order: a name met before (the same
// epoch in two inventories) takes "_2", "_3", ... before its extension, so
// that no picture overwrites another's.
void make_names_unique(std::vector<std::string>& names);
