// Sounds a program plays beside the sound of its videos: a square-wave tone (what a PC speaker
// would give) and whole sound files, each on a device stream of its own. The system's come
// through SDL (OpenSdlSoundClips); RecordingSoundClips keeps what it is given (tests).
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "platform/audio/sound_driver.h"

namespace kinet::platform {

// The tone's samples: 16-bit signed mono at `rate`, from sample number `first` on, a square
// wave of `frequency` Hz (at most rate / 2, above it rate / 2). Successive calls continue the
// wave without a seam.
void SquareWave(uint32_t frequency, uint32_t rate, uint64_t first, std::span<int16_t> out);
inline constexpr int16_t kToneLevel = 6000;  // the wave's height either side of silence

class SoundClips {
 public:
  virtual ~SoundClips() = default;
  // Starts a tone that sounds until StopTone (a new one replaces it). False without a device.
  virtual bool StartTone(uint32_t frequency) = 0;
  virtual void StopTone() = 0;
  // Plays `pcm` (whole sample frames in `format`) once, in place of the sound played before.
  // False without a device or for a format it cannot play.
  virtual bool PlaySound(const PcmFormat& format, std::vector<uint8_t> pcm) = 0;
  // True while sound given to PlaySound is still to be heard.
  virtual bool SoundPlaying() = 0;
  virtual void StopSound() = 0;
};

std::unique_ptr<SoundClips> OpenSdlSoundClips();

class RecordingSoundClips : public SoundClips {
 public:
  bool StartTone(uint32_t frequency) override {
    tones.push_back(frequency);
    tone_on = true;
    return true;
  }
  void StopTone() override { tone_on = false; }
  bool PlaySound(const PcmFormat& format, std::vector<uint8_t> pcm) override {
    played.push_back({format, std::move(pcm)});
    playing = polls_while_playing;
    return true;
  }
  // Counts down one poll per call, so a waiting caller sees the sound end.
  bool SoundPlaying() override { return playing > 0 && playing-- > 0; }
  void StopSound() override {
    playing = 0;
    ++stops;
  }

  struct Played {
    PcmFormat format;
    std::vector<uint8_t> pcm;
  };
  std::vector<uint32_t> tones;
  bool tone_on = false;
  std::vector<Played> played;
  int polls_while_playing = 3;
  int playing = 0;
  int stops = 0;
};

}  // namespace kinet::platform
