#include "input/unused_file_options.h"

#include <string>

#include "core/inputs.h"

namespace {

std::string no_effect(const std::string& key, const char* without) {
  return key + " has no effect without " + without + " and is ignored";
}

}  // namespace

std::vector<std::string> unused_file_options(const PlotOptions& o, const CurveList& curves,
                                             const bool (&metadata)[max_inputs]) {
  std::vector<std::string> warnings;
  bool any_metadata = false, any_computed = false;
  for (const Curve& c : curves) any_computed = any_computed || c.computed != nullptr;
  for (int i = 0; i < max_inputs; ++i) {
    any_metadata = any_metadata || metadata[i];
    if (input_path(o, i)[0] == '\0' || metadata[i]) continue;
    std::string file = std::string("station metadata in ") + input_keys[i].in_key;
    if (o.channels[i][0] != '\0') {
      warnings.push_back(no_effect(input_keys[i].channel_key, file.c_str()));
    }
    if (o.stages[i][0] > 0) warnings.push_back(no_effect(input_keys[i].stages_key, file.c_str()));
  }
  if (!any_metadata) {
    if (o.time[0] != '\0') warnings.push_back(no_effect("TIME=", "station metadata"));
    if (o.estimated_delay) warnings.push_back(no_effect("DELAY=", "station metadata"));
    if (o.stated_gain) warnings.push_back(no_effect("GAIN=", "station metadata"));
  }
  if (!any_computed && o.points > 0) {
    warnings.push_back(no_effect("POINTS=", "a pole-zero or station metadata file"));
  }
  return warnings;
}
