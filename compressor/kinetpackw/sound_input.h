// The sound kinetpackw puts into track 0: the input's own sound (a video file's track, a WAV,
// an AVI file's audio), trimmed to the frames compressed and coded at the /L level in the
// /R /B /C format.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "compressor/kinetpackw/pack_settings.h"
#include "compressor/sound_track_encoder.h"
#include "toolkit/sound/sound_source.h"

namespace kinet::pack {

class SoundInput : public encoder::PcmSupply {
 public:
  struct Opened {
    std::unique_ptr<SoundInput> input;  // nothing when there is no sound to code
    bool frames_too_long = false;       // there is, but a player could not hold a frame's
  };
  // Nothing when /L asks for no sound or the input has none (no message: most inputs have
  // no sound), or when `cancelled` said yes while a series was measured (the caller knows).
  // `first_index` and `frames` are the source's, `period` the output's P.
  static Opened Open(platform::FileSystem& files, const PackSettings& s, uint32_t first_index,
                     uint32_t frames, uint32_t period, std::function<bool()> cancelled);

  size_t Read(uint8_t* out, size_t wanted) override { return source_->Read(out, wanted); }
  bool Rewind() override { return source_->Rewind(); }

  encoder::SoundTrackEncoder& track() { return *track_; }

 private:
  SoundInput() = default;

  std::unique_ptr<toolkit::SoundSource> source_;
  std::unique_ptr<encoder::SoundTrackEncoder> track_;
};

}  // namespace kinet::pack
