// The tone and sound files on SDL audio devices: the tone from a device callback that makes
// the wave as the device asks for it (so a tone of any length costs no memory), sound files
// queued whole on a device opened in their format. A device is open only while its sound
// plays, since some drivers give a program one device at a time.
#include <SDL.h>

#include <algorithm>

#include "platform/audio/sdl_device.h"
#include "platform/audio/sound_clips.h"

namespace kinet::platform {

void SquareWave(uint32_t frequency, uint32_t rate, uint64_t first, std::span<int16_t> out) {
  if (rate == 0) return;
  const uint64_t f = std::min<uint64_t>(frequency, rate / 2);
  // Half periods counted from sample 0: even ones high, odd ones low.
  for (size_t i = 0; i < out.size(); ++i)
    out[i] = ((first + i) * f * 2 / rate) % 2 == 0 ? kToneLevel : int16_t(-kToneLevel);
}

namespace {

constexpr uint32_t kToneRate = 44100;

class SdlSoundClips : public SoundClips {
 public:
  ~SdlSoundClips() override {
    Close(tone_device_);
    Close(sound_device_);
  }

  bool StartTone(uint32_t frequency) override {
    if (!tone_device_) {
      tone_device_ = OpenSdlDevice({kToneRate, 1, 16}, &SdlSoundClips::FillTone, this);
      if (!tone_device_) return false;
    }
    SDL_LockAudioDevice(tone_device_);
    frequency_ = frequency;
    sample_ = 0;
    SDL_UnlockAudioDevice(tone_device_);
    SDL_PauseAudioDevice(tone_device_, 0);
    return true;
  }

  void StopTone() override { Close(tone_device_); }

  bool PlaySound(const PcmFormat& format, std::vector<uint8_t> pcm) override {
    if (!sound_device_ || format.rate != sound_format_.rate ||
        format.channels != sound_format_.channels || format.bits != sound_format_.bits) {
      Close(sound_device_);
      sound_device_ = OpenSdlDevice(format, nullptr, nullptr);
      sound_format_ = format;
      if (!sound_device_) return false;
    }
    SDL_ClearQueuedAudio(sound_device_);
    const size_t whole = pcm.size() - pcm.size() % format.FrameBytes();
    if (SDL_QueueAudio(sound_device_, pcm.data(), Uint32(whole)) != 0) return false;
    SDL_PauseAudioDevice(sound_device_, 0);
    return true;
  }

  bool SoundPlaying() override {
    return sound_device_ && SDL_GetAudioDeviceStatus(sound_device_) == SDL_AUDIO_PLAYING &&
           SDL_GetQueuedAudioSize(sound_device_) > 0;
  }

  void StopSound() override { Close(sound_device_); }

 private:
  static void Close(SDL_AudioDeviceID& device) {
    if (device) SDL_CloseAudioDevice(device);
    device = 0;
  }

  static void FillTone(void* self, Uint8* stream, int length) {
    auto& clips = *static_cast<SdlSoundClips*>(self);
    std::span<int16_t> out(reinterpret_cast<int16_t*>(stream), size_t(length) / 2);
    SquareWave(clips.frequency_, kToneRate, clips.sample_, out);
    clips.sample_ += out.size();
  }

  SDL_AudioDeviceID tone_device_ = 0, sound_device_ = 0;
  PcmFormat sound_format_;
  // Written with the device locked, read by its callback.
  uint32_t frequency_ = 0;
  uint64_t sample_ = 0;
};

}  // namespace

std::unique_ptr<SoundClips> OpenSdlSoundClips() { return std::make_unique<SdlSoundClips>(); }

}  // namespace kinet::platform
