#include "qc/epoch_command.h"

#include "qc/picture_name.h"

std::vector<std::string> epoch_command(const ChannelResponse& r, const EpochPicture& p) {
  std::string location = r.location.empty() ? "--" : r.location;
  std::vector<std::string> words = {
      "afcdraw",
      "IN=" + r.source,
      "CHANNEL=" + r.network + "." + r.station + "." + location + "." + r.channel,
      "TIME=" + qc_time(r.start),
      "OUT=" + p.outdir + "/" + p.name,
      "FORMAT=" + p.format,
      "-report",
      "-fit",
      "-phase",
  };
  if (!p.nominal.empty()) {
    words.push_back("IN2=" + p.nominal);
    words.push_back("TOL=" + p.tol);
  }
  return words;
}
