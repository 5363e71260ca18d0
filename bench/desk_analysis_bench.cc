// The data-rate analysis window's loading: a 100,000-frame file's header and frame-size table
// read into both series and the peak, as `knttune` does before drawing. Held in memory, so
// what is measured is the work on the table, not the disk.
#include <benchmark/benchmark.h>

#include <string>

#include "frontend/core/rate_analysis.h"
#include "platform/files/memory_file_system.h"

namespace kinet::desk {
namespace {

constexpr uint32_t kFrames = 100000;

void Put32(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>(v >> (8 * i) & 0xFF));
}

// A header of 66 ms a frame and a frame-size table of varied sizes.
std::string TableFile() {
  std::string f = "KNT2";
  for (uint32_t v : {640u, 480u, kFrames, 66u}) Put32(f, v);
  f.resize(104, '\0');
  for (uint32_t i = 0; i < kFrames; ++i) Put32(f, 2000 + (i * 7919) % 30000);
  return f;
}

void LoadAnalysis(benchmark::State& state, RateUnit unit) {
  platform::MemoryFileSystem files;
  files.AddFile("/clip.knt", TableFile());
  for (auto _ : state) {
    AnalysisLoad load = LoadRateAnalysis(files, "/clip.knt", unit);
    benchmark::DoNotOptimize(load.analysis->peak);
  }
  state.SetItemsProcessed(state.iterations() * kFrames);
}

BENCHMARK_CAPTURE(LoadAnalysis, bytes_per_second, RateUnit::kBytesPerSecond)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LoadAnalysis, bytes_per_frame, RateUnit::kBytesPerFrame)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kinet::desk
