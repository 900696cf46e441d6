#include "response/unit_chain.h"

#include "response/units.h"

namespace {

// A stage of a gain alone takes part where it names its units (an empty
// StationXML coefficient stage, volts to counts); in RESP it names none.
bool states_units(const Stage& s) {
  return !s.input_units.empty() && !s.output_units.empty();
}

}  // namespace

int check_unit_chain(const std::vector<Stage>& stages, size_t begin, size_t end, std::string& why) {
  const Stage* before = nullptr;
  for (size_t i = begin; i < end && i < stages.size(); ++i) {
    const Stage& s = stages[i];
    if (!states_units(s)) continue;
    if (before != nullptr && !same_units(before->output_units, s.input_units)) {
      why = "stage " + std::to_string(before->number) + " puts out " +
            std::string(units_word(before->output_units)) + " but stage " +
            std::to_string(s.number) + " takes " + std::string(units_word(s.input_units));
      return -1;
    }
    before = &s;
  }
  return 0;
}
