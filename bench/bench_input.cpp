// Throughput of reading a response file and extracting its points
// (read_in + str2graph) on files in the instrument-response layout.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "input/read_in.h"
#include "input/str2graph.h"

namespace {

// "%.6E  %.6E  %.6E" lines at log-spaced frequencies; the same file every time.
std::string response_file(long points) {
  std::string path = "/tmp/afcdraw-bench-" + std::to_string(points) + ".txt";
  if (access(path.c_str(), R_OK) == 0) return path;
  FILE* f = fopen(path.c_str(), "w");
  for (long i = 0; i < points; ++i) {
    double freq = 1e-3 * std::pow(1e5, static_cast<double>(i) / points);
    fprintf(f, "%.6E  %.6E  %.6E\n", freq, 1500.0 / (1.0 + freq), -90.0 * freq / (1.0 + freq));
  }
  fclose(f);
  return path;
}

void BM_ReadAndExtract(benchmark::State& state) {
  std::string path = response_file(state.range(0));
  size_t bytes = 0, points_found = 0;
  for (auto _ : state) {
    FileText text;
    PointList points;
    if (read_in(path.c_str(), text) < 0) state.SkipWithError("read_in failed");
    bytes += text.view().size();
    if (str2graph(std::move(text), points) < 0) state.SkipWithError("str2graph failed");
    points_found += points.size();
    benchmark::DoNotOptimize(points.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(bytes));
  state.SetItemsProcessed(static_cast<int64_t>(points_found));
}
// Wall time: big files are read on two threads.
BENCHMARK(BM_ReadAndExtract)
    ->Arg(100000)
    ->Arg(1000000)
    ->Arg(10000000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
