// The graphics processor against the compressor on the same input: frames per second turning a
// series of 640x480 24-bit pictures into a flic quantized to 256 colours (pixworkw: reading,
// palette analysis, mapping with halftoning, flic writing), and into a video file (kinetpackw:
// the same reading and colour work, then both encoding passes). Both run as their programs do,
// from their command words; their terminal texts are put aside while timed.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "compressor/kinetpackw/pack_run.h"
#include "graphics/pixworkw/pix_run.h"
#include "platform/clock/clock.h"
#include "platform/files/file_system.h"
#include "platform/images/image.h"

namespace kinet {
namespace {

constexpr uint32_t kWidth = 640, kHeight = 480, kFrames = 10;

// Frame `f`: colour gradients with a shaded ball that moves across them.
platform::Image Picture(uint32_t f) {
  platform::Image p;
  p.width = kWidth, p.height = kHeight, p.bits = 24;
  if (!p.Allocate()) std::abort();
  for (uint32_t y = 0; y < kHeight; ++y) {
    for (uint32_t x = 0; x < kWidth; ++x) {
      uint8_t* rgb = &p.pixels[(size_t{y} * kWidth + x) * 3];
      const int dx = static_cast<int>(x) - static_cast<int>(100 + 40 * f),
                dy = static_cast<int>(y) - 240;
      const int d2 = dx * dx + dy * dy;
      rgb[0] = static_cast<uint8_t>(x * 255 / kWidth);
      rgb[1] = static_cast<uint8_t>(y * 255 / kHeight);
      rgb[2] = static_cast<uint8_t>((x + y + 8 * f) / 5);
      if (d2 < 80 * 80) rgb[0] = 255, rgb[1] = static_cast<uint8_t>(255 - d2 / 26), rgb[2] = 40;
    }
  }
  return p;
}

const std::filesystem::path& Folder() {
  static const std::filesystem::path folder = [] {
    const auto dir = std::filesystem::temp_directory_path() /
                     ("kinet-pixwork-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    for (uint32_t f = 0; f < kFrames; ++f) {
      const std::string name = (dir / ("in" + std::to_string(100 + f).substr(1) + ".bmp")).string();
      if (!platform::WriteImageFile(platform::SystemFileSystem(), platform::ImageFormat::kBmp, name,
                                    Picture(f)))
        std::abort();
    }
    return dir;
  }();
  return folder;
}

// Runs a tool's command words with its terminal texts sent nowhere.
template <typename Run>
int Quietly(Run run, const std::vector<std::string>& words) {
  const int saved = dup(2), nowhere = open("/dev/null", O_WRONLY);
  dup2(nowhere, 2);
  const int status = run(words);
  dup2(saved, 2);
  close(saved);
  close(nowhere);
  return status;
}

void Convert(benchmark::State& state, int (*run)(std::span<const std::string>),
             const std::string& output) {
  setenv("KINET_STATUS", "terminal", 1);
  const std::string series = (Folder() / ("in??.bmp*0-" + std::to_string(kFrames - 1))).string();
  const std::vector<std::string> words = {series, (Folder() / output).string(), "/O"};
  for (auto _ : state) {
    if (Quietly(run, words) != 0) state.SkipWithError("the run failed");
  }
  state.SetItemsProcessed(state.iterations() * kFrames);
  state.SetLabel("frames");
}

int Pack(std::span<const std::string> words) {
  return pack::RunPack(words, platform::SystemFileSystem(), platform::SystemClock());
}

int Pix(std::span<const std::string> words) {
  return pix::RunPix(words, platform::SystemFileSystem(), platform::SystemClock());
}

void BM_PixworkwSeriesToFlic(benchmark::State& state) { Convert(state, Pix, "out.flc"); }
BENCHMARK(BM_PixworkwSeriesToFlic)->Unit(benchmark::kMillisecond);

void BM_KinetpackwSeriesToVideoFile(benchmark::State& state) { Convert(state, Pack, "out.knt"); }
BENCHMARK(BM_KinetpackwSeriesToVideoFile)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kinet
