#include "compressor/kinetpackw/sound_input.h"

namespace kinet::pack {

SoundInput::Opened SoundInput::Open(platform::FileSystem& files, const PackSettings& s,
                                    uint32_t first_index, uint32_t frames, uint32_t period,
                                    std::function<bool()> cancelled) {
  if (static_cast<uint32_t>(s.sound_level) > 9) return {};
  toolkit::SoundOptions options;
  options.cancelled = std::move(cancelled);
  options.start = static_cast<int32_t>(uint64_t{first_index} * period / 100);
  options.end = static_cast<int32_t>(uint64_t{first_index + frames} * period / 100);
  options.rate = s.sound_rate;
  options.bits = s.sound_bits;
  options.channels = s.sound_channels;
  std::unique_ptr<SoundInput> input(new SoundInput());
  input->source_ = toolkit::OpenSoundSource(files, options, s.input);
  if (!input->source_) return {};
  const toolkit::SoundFormat& f = input->source_->format();
  encoder::TrackSettings t;
  t.format = {f.channels == 2, f.bits == 16};
  t.rate = f.rate;
  t.lossy_level = s.sound_level;
  t.track_length =
      encoder::TrackBytes(uint64_t{frames} * period / 100, f.bytes_per_second(), f.frame_bytes());
  t.ring = s.ring_frame;
  t.period = period;
  if (!t.FitsAPlayer()) {
    Opened refused;
    refused.frames_too_long = true;
    return refused;
  }
  input->track_ = std::make_unique<encoder::SoundTrackEncoder>(*input, t);
  return {std::move(input)};
}

}  // namespace kinet::pack
