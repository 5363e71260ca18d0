// Decoded frames per second through the library (KinetDoFrame on a preloaded file), for three
// kinds of content at two sizes and for the generated kinds of tests/support/content_kinds.h at
// their own sizes, against a plain copy of a frame of the same size.
#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "compressor/animation_writer.h"
#include "kinet/kinet.h"
#include "tests/support/content_kinds.h"

namespace kinet {
namespace {

// kAllFull is detailed picture (every pixel differs from its neighbours, within a few
// shades); kNoise is the worst case, every pixel pair a different value.
enum Content { kMostlySkip, kSprites, kAllFull, kNoise };
constexpr int kFrames = 32;

uint32_t Noise(uint32_t& seed) {
  seed = seed * 1103515245 + 12345;
  return seed >> 16;
}

std::vector<encoder::AnimationFrame> MakeFrames(uint32_t w, uint32_t h, Content content) {
  std::vector<encoder::AnimationFrame> frames(kFrames);
  uint32_t seed = 1;
  std::vector<uint8_t> background(size_t{w} * h);
  for (uint32_t y = 0; y < h; ++y)
    for (uint32_t x = 0; x < w; ++x)
      background[y * w + x] = x < w / 2 ? static_cast<uint8_t>(y / 8) : ((x ^ y) & 8 ? 30 : 31);
  for (int f = 0; f < kFrames; ++f) {
    auto& p = frames[f].pixels;
    p = background;
    for (int i = 0; i < 768; ++i) frames[f].palette[i] = static_cast<uint8_t>(i);
    if (content == kAllFull) {
      for (uint32_t y = 0; y < h; ++y)
        for (uint32_t x = 0; x < w; ++x)
          p[y * w + x] = static_cast<uint8_t>((x + y) / 4 + f + Noise(seed) % 6);
      continue;
    }
    if (content == kNoise) {
      // 251 colours: noise over all 256 would use every pixel pair and leave the full-block tree
      // no free marker values, which the encoder refuses as too complex.
      for (auto& v : p) v = static_cast<uint8_t>(Noise(seed) % 251);
      continue;
    }
    // Sprites of detail moving over the background: one small, or eight large.
    const int sprites = content == kMostlySkip ? 1 : 8, size = content == kMostlySkip ? 16 : 48;
    for (int s = 0; s < sprites; ++s) {
      const uint32_t sx = (s * 97 + f * (3 + s)) % (w - size), sy = (s * 53 + f * 2) % (h - size);
      for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
          p[(sy + y) * w + sx + x] = static_cast<uint8_t>(100 + ((x * y + s) & 31));
    }
  }
  return frames;
}

std::string MakeFile(uint32_t w, uint32_t h, Content content) {
  const std::string path =
      (std::filesystem::temp_directory_path() /
       ("kinet-bench-" + std::to_string(w) + "-" + std::to_string(content) + ".knt"))
          .string();
  encoder::AnimationSettings settings{w, h, 66};
  settings.ring_frame = true;
  if (encoder::WriteAnimation(platform::SystemFileSystem(), path, settings,
                              MakeFrames(w, h, content)) != encoder::WriteStatus::kOk)
    return "";
  return path;
}

void DecodeFile(benchmark::State& state, const std::string& path, uint32_t w, uint32_t h) {
  KinetHandle* handle = KinetOpen(path.c_str(), KINET_OPEN_PRELOAD, -1);
  if (!handle) {
    state.SkipWithError("cannot open");
    return;
  }
  std::vector<uint8_t> buffer(size_t{w} * h);
  KinetToBuffer(handle, 0, 0, static_cast<int32_t>(w), static_cast<int32_t>(h), buffer.data(), 0);
  uint64_t bytes = 0;
  for (auto _ : state) {
    KinetDoFrame(handle);
    bytes += handle->FrameSize;
    KinetNextFrame(handle);
  }
  state.SetItemsProcessed(state.iterations());
  state.counters["record_bytes"] = static_cast<double>(bytes) / state.iterations();
  KinetClose(handle);
  std::filesystem::remove(path);
}

void BM_DecodeFrames(benchmark::State& state) {
  const uint32_t w = static_cast<uint32_t>(state.range(0)), h = w * 3 / 4;
  DecodeFile(state, MakeFile(w, h, static_cast<Content>(state.range(1))), w, h);
}
BENCHMARK(BM_DecodeFrames)
    ->ArgNames({"width", "content"})
    ->ArgsProduct({{320, 640}, {kMostlySkip, kSprites, kAllFull, kNoise}});

// 100 frames of each generated kind, coded exactly.
void BM_DecodeContent(benchmark::State& state) {
  const auto kind = static_cast<testing::ContentKind>(state.range(0));
  const auto [w, h] = testing::SizeOf(kind);
  state.SetLabel(testing::NameOf(kind));
  const std::string path =
      (std::filesystem::temp_directory_path() / ("kinet-bench-" + testing::NameOf(kind) + ".knt"))
          .string();
  encoder::AnimationSettings settings{w, h, 66};
  if (encoder::WriteAnimation(platform::SystemFileSystem(), path, settings,
                              testing::MakeContent(kind, 100)) != encoder::WriteStatus::kOk) {
    state.SkipWithError("cannot write");
    return;
  }
  DecodeFile(state, path, w, h);
}
BENCHMARK(BM_DecodeContent)->ArgName("kind")->DenseRange(0, 4);

void BM_CopyFrame(benchmark::State& state) {
  const size_t size = size_t(state.range(0)) * state.range(0) * 3 / 4;
  std::vector<uint8_t> from(size, 1), to(size);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), size);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CopyFrame)->ArgName("width")->Arg(320)->Arg(640);

}  // namespace
}  // namespace kinet
