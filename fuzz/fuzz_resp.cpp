// The RESP reader and the stage-chain evaluator on any bytes: every
// channel epoch read must evaluate, or say why, within bounded time and
// memory and without a sanitizer report.

#include <complex>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "metadata/read_resp.h"
#include "response/evaluate_response.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  if (!is_resp(text)) return 0;
  std::vector<ChannelResponse> out;
  std::string why;
  if (read_resp(text, ChannelFilter(), out, why) < 0) return 0;
  const std::vector<double> frequencies = {1e-3, 0.1, 1, 10, 1e3};
  for (const ChannelResponse& r : out) {
    for (int units : {-1, 1}) {
      EvaluateOptions o;
      o.units = units;
      std::vector<std::complex<double>> h;
      std::vector<std::string> notes;
      evaluate_response(r, o, frequencies, h, notes, why);
      listed_frequencies(r, o, 0, 1e9);
    }
  }
  return 0;
}
