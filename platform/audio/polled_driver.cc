// The polled driver: an SDL device fed through SDL's own queue, only from Service. At most two
// device buffers are queued; when one has played, Service queues the next from the source.
// The position counts the sound handed over less what the queue still holds.
#include <algorithm>
#include <utility>
#include <vector>

#include "platform/audio/channel_gains.h"
#include "platform/audio/sdl_device.h"
#include "platform/audio/sdl_drivers.h"

namespace kinet::platform {

namespace {

class PolledStream : public SoundStream {
 public:
  PolledStream(SDL_AudioDeviceID device, const PcmFormat& format, SoundSource& source,
               std::vector<PolledStream*>& registry)
      : device_(device),
        format_(format),
        source_(source),
        registry_(registry),
        buffer_(DeviceBufferBytes(format)) {
    registry_.push_back(this);
    SDL_PauseAudioDevice(device_, 0);
  }
  ~PolledStream() override {
    std::erase(registry_, this);
    SDL_CloseAudioDevice(device_);
  }

  void Service() {
    if (stopped_) return;
    const uint32_t queued = SDL_GetQueuedAudioSize(device_);
    if (queued == 0 && handed_ > 0) underrun_ = true;
    if (queued > buffer_.size() || source_.Held() <= 3) return;
    const uint32_t n = source_.Take(buffer_.data(), static_cast<uint32_t>(buffer_.size()));
    ApplyGains(buffer_.data(), n, format_, gains_);
    if (n && SDL_QueueAudio(device_, buffer_.data(), n) == 0) handed_ += n;
  }

  uint64_t Position() override {
    if (stopped_) return handed_;
    return handed_ - std::min<uint64_t>(handed_, SDL_GetQueuedAudioSize(device_));
  }
  void Stop() override {
    if (stopped_) return;
    handed_ = Position();
    SDL_PauseAudioDevice(device_, 1);
    SDL_ClearQueuedAudio(device_);
    stopped_ = true;
  }
  bool Restart() override {
    SDL_PauseAudioDevice(device_, 0);
    stopped_ = false;
    return SDL_GetAudioDeviceStatus(device_) == SDL_AUDIO_PLAYING;
  }
  void SetVolumePan(uint32_t volume, uint32_t pan) override { gains_ = PolledGains(volume, pan); }
  void Reset() override {
    SDL_ClearQueuedAudio(device_);
    handed_ = 0;
    underrun_ = false;
  }
  bool TakeUnderrun() override { return std::exchange(underrun_, false); }

 private:
  SDL_AudioDeviceID device_;
  PcmFormat format_;
  SoundSource& source_;
  std::vector<PolledStream*>& registry_;
  std::vector<uint8_t> buffer_;
  ChannelGains gains_;
  uint64_t handed_ = 0;  // bytes queued since the open or reset, less those dropped by Stop
  bool stopped_ = false;
  bool underrun_ = false;
};

// A device that opens but does not play would hold every frame back; a sample frame of silence
// must play within a second, else the device is refused.
bool DevicePlays(SDL_AudioDeviceID device, const PcmFormat& format) {
  constexpr uint32_t kProbeMs = 1000, kStepMs = 5;
  const uint8_t silence[4] = {format.SilenceByte(), format.SilenceByte(), format.SilenceByte(),
                              format.SilenceByte()};
  if (SDL_QueueAudio(device, silence, format.FrameBytes()) != 0) return false;
  SDL_PauseAudioDevice(device, 0);
  for (uint32_t waited = 0; SDL_GetQueuedAudioSize(device) > 0; waited += kStepMs) {
    if (waited >= kProbeMs) return false;
    SDL_Delay(kStepMs);
  }
  return true;
}

class PolledDriver : public SoundDriver {
 public:
  std::unique_ptr<SoundStream> Open(const PcmFormat& format, SoundSource& source) override {
    const SDL_AudioDeviceID device = OpenSdlDevice(format, nullptr, nullptr);
    if (!device) return nullptr;
    if (!DevicePlays(device, format)) {
      SDL_CloseAudioDevice(device);
      return nullptr;
    }
    return std::make_unique<PolledStream>(device, format, source, streams_);
  }
  void Service() override {
    for (PolledStream* s : streams_) s->Service();
  }

 private:
  std::vector<PolledStream*> streams_;
};

}  // namespace

std::unique_ptr<SoundDriver> MakePolledDriver() { return std::make_unique<PolledDriver>(); }

}  // namespace kinet::platform
