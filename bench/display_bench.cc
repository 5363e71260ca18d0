// Frames per second of decoding and showing a frame in an offscreen window at 640x480, for
// both windowed display modes: the change rectangles only, and the whole picture.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "compressor/animation_writer.h"
#include "kinet/kinet.h"
#include "kinet/kinet_buffer.h"
#include "tools/kntsample/sample_animation.h"

namespace kinet {
namespace {

std::string SampleFile() {
  static const std::string path = [] {
    const std::string p =
        (std::filesystem::temp_directory_path() / "kinet-bench-ball.knt").string();
    encoder::AnimationSettings settings{640, 480, 66};
    settings.ring_frame = true;
    encoder::WriteAnimation(platform::SystemFileSystem(), p, settings,
                            sample::BouncingBall(640, 480, 30));
    return p;
  }();
  return path;
}

void BM_DecodeAndShow(benchmark::State& state) {
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  const uint32_t mode = static_cast<uint32_t>(state.range(0));
  const bool whole = state.range(1);
  KinetHandle* h = KinetOpen(SampleFile().c_str(), KINET_OPEN_PRELOAD, -1);
  KinetBuffer* b = KinetBufferOpen(nullptr, mode, 640, 480, 0, 0);
  if (!h || !b) {
    state.SkipWithError("cannot open");
    return;
  }
  KinetToBuffer(h, 0, 0, static_cast<int32_t>(b->Pitch), 480, b->Memory, 0);
  for (auto _ : state) {
    KinetDoFrame(h);
    if (h->NewPalette) KinetBufferNewPalette(b, h->Palette, 0);
    if (whole) {
      KinetBufferBlit(b, nullptr, 0, 0, 0, 0, 640, 480);
    } else {
      while (KinetToBufferRect(h, 0))
        KinetBufferBlit(b, nullptr, h->LastRectX, h->LastRectY, h->LastRectX, h->LastRectY,
                        h->LastRectW, h->LastRectH);
    }
    KinetNextFrame(h);
  }
  state.SetItemsProcessed(state.iterations());
  KinetBufferClose(b);
  KinetClose(h);
}
BENCHMARK(BM_DecodeAndShow)->ArgNames({"mode", "whole"})->ArgsProduct({{4, 5}, {0, 1}});

}  // namespace
}  // namespace kinet
