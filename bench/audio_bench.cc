// Audio records: decoding (bytes of PCM out per second) for each sample format, and encoding
// one record at lossy levels 0 and 9 (bytes of PCM in per second). Each record holds one second
// of a tone with noise, as the compressor puts about a second of sound in a frame. Then the
// longest record a player holds (frames of about six minutes of 22050 Hz 16-bit mono), wholly
// silent, a second of sound before silence, and sound throughout for comparison.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "compressor/audio_encoder.h"
#include "lib/core/audio_decoder.h"
#include "lib/core/format.h"
#include "lib/core/sound_ring_size.h"

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

// A ring of a second and two frames is the most a player keeps: one frame's record is at most
// half of what is left after the second.
std::vector<uint8_t> LongestRecord(int64_t content) {
  const SampleFormat f{false, true};
  constexpr uint64_t kSecond = 22050 * 2;
  std::vector<uint8_t> pcm((kMaxSoundRing - kSecond) / 2 / 4 * 4, 0);
  const auto tune = OneSecond(f);
  const size_t sound = content == 0 ? 0 : content == 1 ? kSecond : pcm.size();
  for (size_t i = 0; i < sound; i += tune.size())
    std::copy_n(tune.begin(), std::min(tune.size(), sound - i), pcm.begin() + i);
  return pcm;
}

void BM_AudioEncodeLongRecord(benchmark::State& state) {
  const auto pcm = LongestRecord(state.range(0));
  encoder::AudioEncoder encoder({false, true}, static_cast<int>(state.range(1)));
  for (auto _ : state)
    benchmark::DoNotOptimize(encoder.EncodeRecord(pcm.data(), static_cast<uint32_t>(pcm.size())));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * pcm.size()));
}
BENCHMARK(BM_AudioEncodeLongRecord)
    ->ArgNames({"silent0_tune1_sound2", "level"})
    ->ArgsProduct({{0, 1, 2}, {0, 9}})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kinet
