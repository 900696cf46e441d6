#pragma once

#include <string>
#include <vector>

#include "response/channel_response.h"

// What a network check draws for each epoch: the picture this command line
// draws alone (README states it),
//   afcdraw IN=INVENTORY CHANNEL=NET.STA.LOC.CHA TIME=START OUT=OUTDIR/NAME
//     FORMAT=PNG -report -fit -phase [IN2=NOMINAL TOL=dB]
// with an empty location written "--", the start to the second (its
// fraction where not zero). `nominal` "" leaves out IN2= and TOL=.
struct EpochPicture {
  std::string outdir, name, format, nominal, tol;
};
std::vector<std::string> epoch_command(const ChannelResponse& r, const EpochPicture& picture);
