// Encoded frames per second: the analysis pass alone (encoder::FrameEncoder::Encode, every frame
// against the reconstruction of the one before), and whole files through both passes
// (encoder::VideoJob: analysis, temporary file, trees and writing), at 320x240 and 640x480, for a
// typical animation and a hard one, at a quality and at a data rate; and the analysis pass on
// each generated kind of content (tests/support/content_kinds.h) exact and at half the data rate
// its exact coding needs.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "compressor/video_job.h"
#include "tests/support/content_kinds.h"
#include "tools/kntsample/sample_animation.h"

namespace kinet {
namespace {

constexpr uint32_t kFrames = 30;

// Hard: a detailed, shaded texture that scrolls diagonally under a palette gradient, so that
// every block changes every frame and holds many colours.
std::vector<encoder::AnimationFrame> Hard(uint32_t w, uint32_t h) {
  std::vector<encoder::AnimationFrame> frames(kFrames);
  uint32_t seed = 7;
  std::vector<uint8_t> texture(size_t{w + 64} * (h + 64));
  for (size_t i = 0; i < texture.size(); ++i) {
    seed = seed * 1103515245 + 12345;
    texture[i] = static_cast<uint8_t>((i % (w + 64) + i / (w + 64)) / 3 + (seed >> 28));
  }
  for (uint32_t f = 0; f < kFrames; ++f) {
    frames[f].pixels.resize(size_t{w} * h);
    for (uint32_t y = 0; y < h; ++y)
      for (uint32_t x = 0; x < w; ++x)
        frames[f].pixels[size_t{y} * w + x] = texture[size_t{y + f} * (w + 64) + x + 2 * f];
    for (int i = 0; i < 256; ++i) {
      frames[f].palette[3 * i] = static_cast<uint8_t>(i);
      frames[f].palette[3 * i + 1] = static_cast<uint8_t>(255 - i);
      frames[f].palette[3 * i + 2] = static_cast<uint8_t>(i / 2 + 64);
    }
  }
  return frames;
}

std::vector<encoder::AnimationFrame> Clip(uint32_t w, uint32_t h, bool hard) {
  return hard ? Hard(w, h) : sample::BouncingBall(w, h, kFrames);
}

encoder::EncoderSettings Settings(uint32_t w, uint32_t h, int32_t rate, uint32_t period = 6666) {
  encoder::EncoderSettings s;
  s.width = w;
  s.height = h;
  s.regular_rate = rate;
  s.key_rate = rate;
  s.period = period;
  s.auto_key_blocks = w / 4 * (h / 4) * 95 / 100;
  return s;
}

encoder::FramePicture Picture(const encoder::AnimationFrame& f) {
  return {f.pixels.data(), f.palette.data(), f.pixels.size()};
}

void AnalyseFrames(benchmark::State& state, const std::vector<encoder::AnimationFrame>& frames,
                   const encoder::EncoderSettings& settings) {
  auto encoder = encoder::FrameEncoder::Create(settings);
  size_t i = 0, keys = 0;
  for (auto _ : state) {
    const encoder::AnimationFrame& next = frames[(i + 1) % kFrames];
    const encoder::FramePicture ahead = Picture(next);
    encoder->Encode(Picture(frames[i % kFrames]), &ahead);
    benchmark::DoNotOptimize(encoder->codes().data());
    keys += encoder->key_frame();
    ++i;
  }
  state.counters["frames/s"] =
      benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
  // Key frames analyse every block: a rate that makes more of them costs time of its own.
  state.counters["keys"] = benchmark::Counter(double(keys), benchmark::Counter::kAvgIterations);
}

// Arguments: width, height, hard (0/1), rate code.
void BM_Analysis(benchmark::State& state) {
  const uint32_t w = uint32_t(state.range(0)), h = uint32_t(state.range(1));
  AnalyseFrames(state, Clip(w, h, state.range(2) != 0), Settings(w, h, int32_t(state.range(3))));
}

// Arguments: kind (kAllContentKinds' index), data rate (0: exact), at 10 frames per second.
void BM_AnalysisOfKind(benchmark::State& state) {
  const testing::ContentKind kind = testing::kAllContentKinds[state.range(0)];
  const auto [w, h] = testing::SizeOf(kind);
  state.SetLabel(testing::NameOf(kind));
  AnalyseFrames(state, testing::MakeContent(kind, kFrames),
                Settings(w, h, int32_t(state.range(1)), 10000));
}

void BM_WholeFile(benchmark::State& state) {
  const uint32_t w = uint32_t(state.range(0)), h = uint32_t(state.range(1));
  const auto frames = Clip(w, h, state.range(2) != 0);
  const std::string dir = std::filesystem::temp_directory_path().string();
  const std::string path = dir + "/kinet-encode-bench.knt";
  uint64_t bytes = 0;
  for (auto _ : state) {
    encoder::PackStatus status;
    auto job = encoder::VideoJob::Create(platform::SystemFileSystem(),
                                         Settings(w, h, int32_t(state.range(3))), dir, &status);
    for (uint32_t f = 0; f < kFrames; ++f) {
      const encoder::FramePicture ahead = Picture(frames[(f + 1) % kFrames]);
      if (job->AddFrame(Picture(frames[f]), f + 1 < kFrames ? &ahead : nullptr) !=
          encoder::PackStatus::kOk)
        state.SkipWithError("temporary file");
    }
    if (job->Write(path, {w, h, -6666, 0, kFrames}, nullptr, &bytes) !=
        encoder::PackStatus::kOk)
      state.SkipWithError("write");
  }
  std::filesystem::remove(path);
  state.counters["frames/s"] =
      benchmark::Counter(double(state.iterations()) * kFrames, benchmark::Counter::kIsRate);
  state.counters["bytes"] = double(bytes);
}

void Sizes(benchmark::internal::Benchmark* b) {
  for (int hard : {0, 1})
    for (int rate : {0, 150000})
      for (auto [w, h] : {std::pair{320, 240}, std::pair{640, 480}}) b->Args({w, h, hard, rate});
  b->ArgNames({"w", "h", "hard", "rate"})->Unit(benchmark::kMillisecond);
}

// Half the busiest second of each kind's exact coding (grainy 579 kB, sprites 180 kB, still
// 217 kB, its first frame, cartoon 6.5 kB, big 1.39 MB), in kAllContentKinds' order.
void Kinds(benchmark::internal::Benchmark* b) {
  constexpr int kHalfExact[] = {290000, 90000, 108000, 3200, 690000};
  for (int rate : {0, 1})
    for (int kind = 0; kind < 5; ++kind) b->Args({kind, rate ? kHalfExact[kind] : 0});
  b->ArgNames({"kind", "rate"})->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_Analysis)->Apply(Sizes);
BENCHMARK(BM_AnalysisOfKind)->Apply(Kinds);
BENCHMARK(BM_WholeFile)->Apply(Sizes);

}  // namespace
}  // namespace kinet
