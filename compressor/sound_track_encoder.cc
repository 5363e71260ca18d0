#include "compressor/sound_track_encoder.h"

#include <algorithm>

#include "lib/core/format.h"
#include "lib/core/sound_ring_size.h"

namespace kinet::encoder {

uint64_t TrackBytes(uint64_t ms, uint64_t bytes_per_second, uint32_t frame_bytes) {
  const uint64_t bytes = (ms * bytes_per_second + 999) / 1000;
  return (bytes + frame_bytes - 1) / frame_bytes * frame_bytes;
}

bool TrackSettings::FitsAPlayer() const {
  return raw || SoundRingBytes(bytes_per_second(), period) <= kMaxSoundRing;
}

SoundTrackEncoder::SoundTrackEncoder(PcmSupply& supply, const TrackSettings& settings)
    : supply_(supply),
      s_(settings),
      encoder_(settings.format, settings.lossy_level),
      lead_left_(settings.leading_silence),
      track_left_(settings.track_length) {}

// Reads the sound into the buffer, never beyond what is left of the track's length: a read
// past it would run the remaining length below zero.
void SoundTrackEncoder::ReadSound(uint32_t wanted, uint32_t& filled) {
  bool rewound = false;
  while (filled < wanted && track_left_ > 0) {
    const size_t want = std::min<uint64_t>(wanted - filled, track_left_);
    const size_t got = supply_.Read(samples_.data() + filled, want);
    filled += static_cast<uint32_t>(got);
    track_left_ -= got;
    if (got > 0) {
      rewound = false;
      continue;
    }
    // The sound ended: start it again when looping, unless it just did and gave nothing.
    if (!s_.loop || rewound || !supply_.Rewind()) return;
    rewound = true;
  }
}

uint32_t SoundTrackEncoder::Fill(uint32_t wanted) {
  const uint32_t frame = s_.format.FrameBytes();
  wanted = wanted / frame * frame;
  samples_.assign(wanted, s_.format.SilenceByte());
  uint32_t filled = 0;
  for (;;) {
    // Leading silence takes only what is left of this record (after a ring restart part of
    // it is full already) and never more than the track's length.
    const uint64_t lead = std::min<uint64_t>({lead_left_, wanted - filled, track_left_});
    filled += static_cast<uint32_t>(lead);
    lead_left_ -= lead;
    track_left_ -= lead;
    ReadSound(wanted, filled);
    const uint64_t silence = std::min<uint64_t>(track_left_, wanted - filled);
    filled += static_cast<uint32_t>(silence);
    track_left_ -= silence;
    if (filled == wanted || track_left_ > 0 || !s_.ring || s_.track_length == 0) break;
    // The ring frame shows frame 0 again: so does the sound.
    if (!supply_.Rewind()) break;
    lead_left_ = s_.leading_silence;
    track_left_ = s_.track_length;
  }
  return filled;
}

std::vector<uint8_t> SoundTrackEncoder::Record(uint32_t index) {
  const uint64_t b = s_.bytes_per_second();
  uint64_t wanted = b;
  if (!s_.raw) {
    const int64_t ahead = static_cast<int64_t>(uint64_t{index + 1} * s_.period * b / 100000 + b);
    wanted =
        static_cast<uint64_t>(std::max<int64_t>(ahead - int64_t(decoded_total_) + 3, 0)) & ~3ull;
  }
  const uint32_t filled = Fill(static_cast<uint32_t>(std::min<uint64_t>(wanted, UINT32_MAX)));
  if (filled == 0) return {};
  std::vector<uint8_t> record;
  if (s_.raw) {
    record = RawAudioRecord(samples_.data(), filled, s_.format);
  } else if (auto coded = encoder_.EncodeRecord(samples_.data(), filled)) {
    record = std::move(*coded);
  } else {
    failed_ = true;
    return {};
  }
  decoded_total_ += filled;
  record_total_ += record.size();
  largest_ = std::max(largest_, filled);
  return record;
}

void SoundTrackEncoder::FinishHeader(KinetHeader& header) {
  header.AudioSize[0] = largest_;
  header.AudioRate[0] = largest_ ? TrackDescriptor(s_.rate, s_.format, s_.raw) : 0;
}

}  // namespace kinet::encoder
