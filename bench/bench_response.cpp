// Cost of reading SEED RESP text and of evaluating its stage chain: the
// CGV channel (a pole-zero sensor and nine FIR stages, 411 coefficients)
// at 1,000 log-spaced frequencies.

#include <benchmark/benchmark.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "metadata/read_resp.h"
#include "response/evaluate_response.h"

namespace {

const char* const resp_path = AFCDRAW_SOURCE_DIR "/tests/data/resp/RESP.Z.CGV..HYZ";

std::string resp_text() {
  std::ifstream in(resp_path);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void BM_ReadResp(benchmark::State& state) {
  const std::string text = resp_text();
  for (auto _ : state) {
    std::vector<ChannelResponse> out;
    std::string why;
    if (read_resp(text, ChannelFilter{}, out, why) != 0) state.SkipWithError(why.c_str());
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ReadResp);

void BM_EvaluateChain(benchmark::State& state) {
  std::vector<ChannelResponse> r;
  std::string why;
  if (read_resp(resp_text(), ChannelFilter{}, r, why) != 0 || r.size() != 1) {
    state.SkipWithError("cannot read the RESP file");
    return;
  }
  std::vector<double> f(static_cast<size_t>(state.range(0)));
  for (size_t i = 0; i < f.size(); ++i) {
    f[i] = 1e-3 * std::pow(1e4, static_cast<double>(i) / static_cast<double>(f.size() - 1));
  }
  EvaluateOptions o;
  o.units = 1;
  for (auto _ : state) {
    std::vector<std::complex<double>> h;
    std::vector<std::string> notes;
    if (evaluate_response(r[0], o, f, h, notes, why) != 0) state.SkipWithError(why.c_str());
    benchmark::DoNotOptimize(h.data());
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * f.size()));
}
BENCHMARK(BM_EvaluateChain)->Arg(1000);

}  // namespace

BENCHMARK_MAIN();
