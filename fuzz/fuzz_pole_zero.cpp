// The pole-zero reader on any text, and the response of what it accepts at
// a few frequencies: no crash, no hang, whatever the file.

#include <cstdint>
#include <string>
#include <string_view>

#include "input/pole_zero.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  if (!is_pole_zero(text)) return 0;
  PoleZero pz;
  int line;
  std::string why;
  if (parse_pole_zero(text, pz, line, why) < 0) return 0;
  PointList amplitudes, phases;
  evaluate_pole_zero(pz, {1e-3, 1, 1e3}, amplitudes, phases);
  return 0;
}
