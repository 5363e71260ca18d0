// A video file played as fast as it decodes, once by kinetplayw and once by a script's
// ANIMATIONPLAY with option 4 (no pacing), on the same 640x480 file: frames per second of whole
// runs. Both start a process and open a window on SDL's dummy driver, so what differs is what
// the script player adds per frame (its event pump, the changed-rectangle copy to its screen).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

constexpr int kFrames = 300;

const fs::path& Folder() {
  static const fs::path folder = [] {
    fs::path f = fs::temp_directory_path() / "kinet_script_play_bench";
    fs::create_directories(f);
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    setenv("KINET_STATUS", "terminal", 1);
    const std::string make = std::string(KNTSAMPLE) + " '" + (f / "play.knt").string() +
                             "' /W640 /H480 /N" + std::to_string(kFrames) + " /Q > /dev/null";
    if (std::system(make.c_str()) != 0) std::abort();
    std::ofstream(f / "play.ss") << "SCREENGRAPHICS OK 640 480\n"
                                    "ANIMATIONPLAY PLAYED 0 0 1 4 \"play.knt\"\n"
                                    "END\n";
    return f;
  }();
  return folder;
}

void RunFrames(benchmark::State& state, const std::string& command) {
  const std::string line = "cd '" + Folder().string() + "' && " + command + " > /dev/null 2>&1";
  for (auto _ : state)
    if (std::system(line.c_str()) != 0) state.SkipWithError("the run failed");
  state.SetItemsProcessed(state.iterations() * kFrames);
  state.SetLabel("frames");
}

void BM_KinetplaywUnpaced(benchmark::State& state) {
  RunFrames(state, std::string(KINETPLAYW) + " play.knt /F");
}
BENCHMARK(BM_KinetplaywUnpaced)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ScriptAnimationPlayUnpaced(benchmark::State& state) {
  RunFrames(state, std::string(KINETSCRIPTW) + " play.ss");
}
BENCHMARK(BM_ScriptAnimationPlayUnpaced)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
