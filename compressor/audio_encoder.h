// Turns one buffer of PCM into one audio record of a video file: per-channel deltas, quantized
// at the lossy levels, coded with byte trees built from the record's own statistics; or a raw
// record holding the samples as they are. Read by kinet::DecodeAudioStream and
// kinet::CopyRawSound (lib/core/audio_decoder.h), and by KinetGetTrackData.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "compressor/tree_builder.h"
#include "lib/core/audio_decoder.h"

namespace kinet::encoder {

// How a lossy level quantizes deltas: the delta is masked, and the masked delta is taken when
// the sample it predicts lies within `threshold` of the true one.
struct LossyRule {
  uint16_t mask;
  uint16_t threshold;
};
inline constexpr int kMaxLossyLevel = 9;
// The rule of a level 0 (exact) to 9 for 8-bit or 16-bit sound; levels above 9 count as 9.
LossyRule LossyRuleFor(int level, bool sixteen_bit);

// The header's AudioRate word for a track: rate in bits 0-23, the present bit, the 16-bit and
// stereo bits, and for coded (not raw) tracks the compressed bit.
uint32_t TrackDescriptor(uint32_t rate, SampleFormat format, bool raw);

class AudioEncoder {
 public:
  AudioEncoder(SampleFormat format, int lossy_level);

  // Codes `bytes` of PCM (rounded down to whole sample frames) as one record: length field,
  // decoded length, flag bits, the trees, the first sample frame and every later frame's
  // deltas, padded with zero bytes to a multiple of 4. An empty buffer gives no record (an
  // empty vector). nullopt only when a tree would need codes longer than 30 bits, which takes
  // far more samples than one second of sound holds.
  std::optional<std::vector<uint8_t>> EncodeRecord(const uint8_t* pcm, uint32_t bytes);

  SampleFormat format() const { return format_; }

 private:
  // Runs the delta rule over the buffer, calling emit(tree, symbol) for every coded byte in
  // the decoder's order: frame by frame, left channel first, low byte before high byte. A run
  // of `n` frames whose every byte is 0 (silence, or any held samples once the prediction
  // stands still on them) comes as one zeros(n): each tree's 0, n times over, in tree order.
  template <typename Emit, typename Zeros>
  void RunDeltas(const uint8_t* pcm, uint32_t frames, Emit&& emit, Zeros&& zeros) const;

  SampleFormat format_;
  LossyRule rule_;
  std::array<TreeBuilder, 4> trees_{
      TreeBuilder(TreeBuilder::Kind::kByte), TreeBuilder(TreeBuilder::Kind::kByte),
      TreeBuilder(TreeBuilder::Kind::kByte), TreeBuilder(TreeBuilder::Kind::kByte)};
};

// A raw record: the length field, then exactly the samples (rounded down to whole sample
// frames). The samples are not padded, so nothing but sound is played; the frame record
// around it is padded as a whole. An empty buffer gives an empty vector.
std::vector<uint8_t> RawAudioRecord(const uint8_t* pcm, uint32_t bytes, SampleFormat format);

}  // namespace kinet::encoder
