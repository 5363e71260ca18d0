// Audio records: decoding (bytes of PCM out per second) for each sample format, and encoding
// one record at lossy levels 0 and 9 (bytes of PCM in per second). Each record holds one second
// of a tone with noise, as the compressor puts about a second of sound in a frame.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "compressor/audio_encoder.h"
#include "lib/core/audio_decoder.h"
#include "lib/core/format.h"

namespace kinet {
namespace {

SampleFormat FormatOf(int64_t index) { return {(index & 1) != 0, (index & 2) != 0}; }

std::vector<uint8_t> OneSecond(SampleFormat f) {
  const uint32_t rate = f.sixteen_bit ? 44100 : 22050;
  std::mt19937 rng(5);
  std::vector<uint8_t> pcm(size_t{rate} * f.FrameBytes());
  const size_t samples = pcm.size() / (f.sixteen_bit ? 2 : 1);
  for (size_t i = 0; i < samples; ++i) {
    const double v = 0.5 * std::sin(i * 0.031) + 0.2 * std::sin(i * 0.177) + (rng() % 64) / 2000.0;
    if (f.sixteen_bit)
      StoreLe16(&pcm[2 * i], static_cast<uint16_t>(static_cast<int16_t>(v * 30000)));
    else
      pcm[i] = static_cast<uint8_t>(128 + v * 120);
  }
  return pcm;
}

void BM_AudioDecode(benchmark::State& state) {
  const SampleFormat f = FormatOf(state.range(0));
  const auto pcm = OneSecond(f);
  encoder::AudioEncoder encoder(f, static_cast<int>(state.range(1)));
  const auto record = *encoder.EncodeRecord(pcm.data(), static_cast<uint32_t>(pcm.size()));
  std::vector<uint8_t> ring(256 * 1024);
  AudioTrees trees;
  for (auto _ : state) {
    SoundRing out{ring.data(), static_cast<uint32_t>(ring.size()), 0};
    benchmark::DoNotOptimize(DecodeAudioStream(
        record.data() + kCompressedHeader, record.size() - kCompressedHeader,
        static_cast<uint32_t>(pcm.size()), static_cast<uint32_t>(pcm.size()), trees, out));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * pcm.size()));
  state.counters["ratio%"] = 100.0 * record.size() / pcm.size();
}
BENCHMARK(BM_AudioDecode)->ArgNames({"format", "level"})->ArgsProduct({{0, 1, 2, 3}, {0, 9}});

void BM_AudioEncode(benchmark::State& state) {
  const SampleFormat f = FormatOf(state.range(0));
  const auto pcm = OneSecond(f);
  encoder::AudioEncoder encoder(f, static_cast<int>(state.range(1)));
  for (auto _ : state)
    benchmark::DoNotOptimize(encoder.EncodeRecord(pcm.data(), static_cast<uint32_t>(pcm.size())));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * pcm.size()));
}
BENCHMARK(BM_AudioEncode)->ArgNames({"format", "level"})->ArgsProduct({{0, 3}, {0, 9}});

}  // namespace
}  // namespace kinet
