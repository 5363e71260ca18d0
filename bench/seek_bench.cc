// kinetplayw's seeks: the file marks no frame that stands alone, so a seek decodes every frame
// before its target. The worst case is a second back at the end of a minute of
// 320x240 video at 15 frames a second: from frame 1 when no picture was kept, else from the
// one kept five seconds or less before; a ten-second step forward decodes 150 frames from the
// frame shown.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "compressor/animation_writer.h"
#include "kinet/kinet.h"
#include "platform/files/file_system.h"
#include "tools/kinetplayw/seeking.h"
#include "tools/kntsample/sample_animation.h"

namespace kinet {
namespace {

constexpr uint32_t kWidth = 320, kHeight = 240, kFrames = 900;

const std::string& MinuteFile() {
  static const std::string path = [] {
    const char* tmp = std::getenv("TMPDIR");
    const std::string p = std::string(tmp && *tmp ? tmp : "/tmp") + "/kinet_seek_bench.knt";
    encoder::AnimationSettings a{kWidth, kHeight, 66};
    encoder::WriteAnimation(platform::SystemFileSystem(), p, a,
                            sample::BouncingBall(kWidth, kHeight, kFrames));
    return p;
  }();
  return path;
}

void Seek(benchmark::State& state, uint32_t shown, uint32_t target, bool keep) {
  KinetHandle* h = KinetOpen(MinuteFile().c_str(), KINET_OPEN_PRELOAD, -1);
  std::vector<uint8_t> picture(size_t{kWidth} * kHeight);
  KinetToBuffer(h, 0, 0, kWidth, kHeight, picture.data(), 0);
  for (auto _ : state) {
    state.PauseTiming();
    // A fresh seeker each time: one keeping pictures while it plays up to `shown`, or one
    // keeping none.
    player::Seeker seeker(h, keep ? picture.data() : nullptr, keep ? picture.size() : 0, 6666);
    seeker.DecodeUpTo(shown);
    KinetDoFrame(h);
    seeker.Done(true);
    state.ResumeTiming();
    seeker.DecodeUpTo(target);
    KinetDoFrame(h);
    benchmark::DoNotOptimize(picture.data());
  }
  KinetClose(h);
}

// From frame 1, as when nothing was kept; from the picture kept at 5 seconds before.
void BM_SeekASecondBackAtTheEnd(benchmark::State& state) {
  Seek(state, kFrames, kFrames - 15, false);
}
void BM_SeekASecondBackAtTheEndKept(benchmark::State& state) {
  Seek(state, kFrames, kFrames - 15, true);
}
void BM_SeekTenSecondsOn(benchmark::State& state) { Seek(state, 300, 450, false); }
BENCHMARK(BM_SeekASecondBackAtTheEnd)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SeekASecondBackAtTheEndKept)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SeekTenSecondsOn)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kinet
