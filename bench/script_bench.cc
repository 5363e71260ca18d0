// Script engine speed: commands executed per second in a COMPUTE / IF / GOTO loop, and the
// time to load (compile) a 10,000-line script.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/clock/clock.h"
#include "platform/environment/environment.h"
#include "platform/files/memory_file_system.h"
#include "platform/process/program_starter.h"
#include "scriptplayer/engine/interpreter.h"

namespace {

struct Bench {
  kinet::platform::MemoryFileSystem files;
  kinet::platform::ManualClock clock;
  kinet::platform::MapEnvironment environment;
  kinet::platform::RecordingProgramStarter programs;
  kinet::script::PlayerHost host{{&files, &clock, &environment, &programs, {}}};

  kinet::script::Services MakeServices() {
    kinet::script::Services services;
    services.host = &host;
    return services;
  }
};

// Three commands per round: COMPUTE, IF (true) and its pending GOTO, so 4 handler calls.
void BM_ComputeIfGotoLoop(benchmark::State& state) {
  const int64_t rounds = state.range(0);
  Bench bench;
  bench.files.AddFile("loop.ss", "VARSET I 0\nVARSET LIMIT " + std::to_string(rounds) +
                                     "\n:top\nCOMPUTE I = I + 1\nIF I < LIMIT GOTO \"top\"\n");
  for (auto _ : state) {
    kinet::script::Interpreter interpreter(bench.MakeServices());
    benchmark::DoNotOptimize(interpreter.Run("loop.ss"));
  }
  state.counters["commands/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * static_cast<double>(rounds) * 3,
                         benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ComputeIfGotoLoop)->Arg(100000)->Unit(benchmark::kMillisecond);

// Loading dominates: the script ends at its first line after being compiled whole.
void BM_Load10000Lines(benchmark::State& state) {
  Bench bench;
  std::string script = "END\n";
  for (int i = 0; i < 10000; ++i) {
    script += (i % 10 == 0) ? ":label" + std::to_string(i) + "\n"
                            : "COMPUTE X" + std::to_string(i % 7) + " = X + " + std::to_string(i) +
                                  " # comment\n";
  }
  bench.files.AddFile("big.ss", script);
  for (auto _ : state) {
    kinet::script::Interpreter interpreter(bench.MakeServices());
    benchmark::DoNotOptimize(interpreter.Run("big.ss"));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(script.size()));
}
BENCHMARK(BM_Load10000Lines)->Unit(benchmark::kMicrosecond);

}  // namespace
