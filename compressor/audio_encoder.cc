#include "compressor/audio_encoder.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "lib/core/format.h"

namespace kinet::encoder {

namespace {

constexpr std::array<LossyRule, kMaxLossyLevel + 1> kRules8 = {{
    {0xFF, 0},
    {0xFE, 1},
    {0xFC, 2},
    {0xFC, 4},
    {0xF8, 6},
    {0xF8, 8},
    {0xF0, 12},
    {0xF0, 16},
    {0xE0, 24},
    {0xE0, 32},
}};
constexpr std::array<LossyRule, kMaxLossyLevel + 1> kRules16 = {{
    {0xFFFF, 0},
    {0xFFFC, 4},
    {0xFFF8, 8},
    {0xFFF0, 16},
    {0xFFC0, 64},
    {0xFF80, 128},
    {0xFF00, 256},
    {0xFE00, 512},
    {0xFC00, 1024},
    {0xF800, 2048},
}};

// One step of the delta rule for 8-bit samples (0..255). The delta is taken as a signed step
// (-128..127), so that steps down are quantized like steps up; a quantized step whose
// prediction would leave 0..255 is coded exactly, because the decoder's sum wraps and would
// jump to the other end of the range.
int Step8(int prediction, int sample, LossyRule rule) {
  const int delta = static_cast<int8_t>(static_cast<uint8_t>(sample - prediction));
  const int quantized = static_cast<int8_t>(static_cast<uint8_t>(delta & rule.mask));
  const int predicted = prediction + quantized;
  if (predicted < 0 || predicted > 255 || std::abs(predicted - sample) > rule.threshold)
    return delta;
  return quantized;
}

// The same for signed 16-bit samples: the quantized prediction wraps to 16 bits before the
// comparison, so a step that would wrap is far off and coded exactly.
int Step16(int prediction, int sample, LossyRule rule) {
  const int delta = static_cast<int16_t>(static_cast<uint16_t>(sample - prediction));
  const int quantized = static_cast<int16_t>(static_cast<uint16_t>(delta & rule.mask));
  const int predicted = static_cast<int16_t>(static_cast<uint16_t>(prediction + quantized));
  return std::abs(predicted - sample) > rule.threshold ? delta : quantized;
}

// Held samples are looked for after every kHeldCheck frames and taken as a run from
// kShortestRun frames on: copying a run's codes costs about as much as coding a few dozen
// frames, and a look after every frame would slow down the coding of sound.
constexpr uint32_t kHeldCheck = 16;
constexpr uint32_t kShortestRun = 32;

// How many frames after frame `i` hold the same samples as it, counted up to kShortestRun
// byte by byte and beyond in blocks: the bytes from the next frame on that equal those one
// frame earlier, in whole frames.
uint32_t SameFramesAfter(const uint8_t* pcm, uint32_t i, uint32_t frames, uint32_t frame) {
  const uint8_t* held = pcm + size_t{i} * frame;
  const uint8_t* end = pcm + size_t{frames} * frame;
  const uint8_t* p = held + frame;
  const uint8_t* quick = end - p > kShortestRun * frame ? p + kShortestRun * frame : end;
  while (p < quick && *p == *(p - frame)) ++p;
  if (p == quick) {
    constexpr ptrdiff_t kBlock = 4096;
    while (end - p >= kBlock && std::memcmp(p, p - frame, kBlock) == 0) p += kBlock;
    while (p < end && *p == *(p - frame)) ++p;
  }
  return static_cast<uint32_t>((p - held) / frame) - 1;
}

}  // namespace

LossyRule LossyRuleFor(int level, bool sixteen_bit) {
  const size_t i = static_cast<size_t>(std::clamp(level, 0, kMaxLossyLevel));
  return sixteen_bit ? kRules16[i] : kRules8[i];
}

uint32_t TrackDescriptor(uint32_t rate, SampleFormat format, bool raw) {
  // Raw tracks carry the present and format bits too: without them a reader would take the
  // track as absent, or play its samples as 8-bit mono.
  return (rate & KINET_AUDIO_RATE_MASK) | KINET_AUDIO_PRESENT | (raw ? 0 : KINET_AUDIO_COMPRESSED) |
         (format.sixteen_bit ? KINET_AUDIO_16BIT : 0) | (format.stereo ? KINET_AUDIO_STEREO : 0);
}

AudioEncoder::AudioEncoder(SampleFormat format, int lossy_level)
    : format_(format), rule_(LossyRuleFor(lossy_level, format.sixteen_bit)) {}

template <typename Emit, typename Zeros>
void AudioEncoder::RunDeltas(const uint8_t* pcm, uint32_t frames, Emit&& emit,
                             Zeros&& zeros) const {
  const uint32_t frame = format_.FrameBytes();
  const bool sixteen = format_.sixteen_bit;
  const int channels = format_.stereo ? 2 : 1;
  const uint32_t sample_bytes = sixteen ? 2 : 1;
  auto sample = [&](uint32_t i, int ch) -> int {
    const uint8_t* p = pcm + i * frame + static_cast<uint32_t>(ch) * sample_bytes;
    return sixteen ? static_cast<int16_t>(LoadLe16(p)) : *p;
  };
  int prediction[2] = {sample(0, 0), channels == 2 ? sample(0, 1) : 0};
  for (uint32_t i = 1; i < frames;) {
    for (const uint32_t stop = std::min(frames, i + kHeldCheck); i < stop; ++i) {
      for (int ch = 0; ch < channels; ++ch) {
        const int low_tree = ch == 0 ? 0 : (sixteen ? 2 : 1);
        const int s = sample(i, ch);
        int& p = prediction[ch];
        if (sixteen) {
          const int q = Step16(p, s, rule_);
          p = static_cast<int16_t>(static_cast<uint16_t>(p + q));
          emit(low_tree, static_cast<uint8_t>(q));
          emit(low_tree + 1, static_cast<uint8_t>(static_cast<uint16_t>(q) >> 8));
        } else {
          const int q = Step8(p, s, rule_);
          p = (p + q) & 0xFF;
          emit(low_tree, static_cast<uint8_t>(q));
        }
      }
    }
    // Held samples: when the prediction stands still on the last frame's samples, the frames
    // after it that hold the same samples take the same steps, all zero.
    const uint32_t last = i - 1;
    if (i == frames || pcm[size_t{i} * frame] != pcm[size_t{last} * frame]) continue;
    const uint32_t same = SameFramesAfter(pcm, last, frames, frame);
    if (same < kShortestRun) continue;
    bool still = true;
    for (int ch = 0; ch < channels; ++ch) {
      const int s = sample(last, ch), p = prediction[ch];
      still = still && (sixteen ? Step16(p, s, rule_) : Step8(p, s, rule_)) == 0;
    }
    if (!still) continue;
    zeros(same);
    i += same;
  }
}

std::optional<std::vector<uint8_t>> AudioEncoder::EncodeRecord(const uint8_t* pcm, uint32_t bytes) {
  const uint32_t frame = format_.FrameBytes();
  const uint32_t frames = bytes / frame;
  if (frames == 0) return std::vector<uint8_t>{};
  const uint32_t tree_count = format_.TreeCount();

  // First pass: statistics. A tree without symbols (a record of one sample frame) is still
  // written as a tree of one leaf, because the reader always reads one after its prefix bit.
  for (uint32_t t = 0; t < tree_count; ++t) trees_[t].Start();
  RunDeltas(
      pcm, frames, [this](int tree, uint8_t v) { trees_[tree].Add(v); },
      [&](uint32_t n) {
        for (uint32_t t = 0; t < tree_count; ++t) trees_[t].AddRepeated(0, n);
      });
  for (uint32_t t = 0; t < tree_count; ++t)
    if (!trees_[t].used()) trees_[t].Add(0);

  BitWriter w;
  w.Write(0, 32);  // the record length, filled in at the end
  w.Write(frames * frame, 32);
  w.WriteBit(true);
  w.WriteBit(format_.stereo);
  w.WriteBit(format_.sixteen_bit);
  // A used tree writes its own leading 1 bit: the prefix the reader skips.
  for (uint32_t t = 0; t < tree_count; ++t)
    if (trees_[t].BuildAndWrite(w) == TreeBuilder::kTooDeep) return std::nullopt;

  // The first sample frame as it is: right channel first, 16-bit samples high byte first.
  for (int ch = format_.stereo ? 1 : 0; ch >= 0; --ch) {
    const uint8_t* s = pcm + ch * (format_.sixteen_bit ? 2 : 1);
    if (format_.sixteen_bit) w.Write(s[1], 8);
    w.Write(s[0], 8);
  }

  // Second pass: the codes, frame by frame and channel by channel as the decoder reads them.
  bool coded = true;
  auto write = [&](int tree, uint8_t v) { coded = trees_[tree].WriteSymbol(w, v) && coded; };
  RunDeltas(pcm, frames, write, [&](uint32_t n) {
    const uint64_t run = w.BitPosition();
    for (uint32_t t = 0; t < tree_count; ++t) write(static_cast<int>(t), 0);
    w.Repeat(run, n - 1);
  });
  if (!coded) return std::nullopt;

  w.PadTo(4);
  std::vector<uint8_t> record = w.Take();
  StoreLe32(record.data(), static_cast<uint32_t>(record.size()));
  return record;
}

std::vector<uint8_t> RawAudioRecord(const uint8_t* pcm, uint32_t bytes, SampleFormat format) {
  const uint32_t n = bytes / format.FrameBytes() * format.FrameBytes();
  if (n == 0) return {};
  std::vector<uint8_t> record(kAudioLengthField + n);
  StoreLe32(record.data(), static_cast<uint32_t>(record.size()));
  std::copy_n(pcm, n, record.data() + kAudioLengthField);
  return record;
}

}  // namespace kinet::encoder
