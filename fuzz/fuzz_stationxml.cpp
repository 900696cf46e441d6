// The StationXML reader on any bytes: it must end, with a reason or with
// channels, within bounded memory and without a sanitizer report.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "metadata/read_stationxml.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  std::vector<ChannelResponse> out;
  std::string why;
  is_stationxml(text);
  // Every channel, and one, so that both the parsed and the passed-over bodies are met.
  read_stationxml_text(text, "fuzz.xml", ChannelFilter(), out, why);
  ChannelFilter one;
  parse_channel_pattern("XX.S1.00.HHZ", one);
  read_stationxml_text(text, "fuzz.xml", one, out, why);
  return 0;
}
