// The callback driver: SDL's device thread pulls sound from a queue of blocks in each stream.
// The library's thread only appends blocks (in Service) and reads the counters; the device
// thread only takes from the front of the queue, marks the sound it played and raises the
// underrun flag. The queue is guarded by a mutex held for a copy at most.
#include <algorithm>
#include <atomic>
#include <cstring>
#include <deque>
#include <mutex>
#include <vector>

#include "platform/audio/channel_gains.h"
#include "platform/audio/sdl_device.h"
#include "platform/audio/sdl_drivers.h"

namespace kinet::platform {

namespace {

class CallbackStream : public SoundStream {
 public:
  CallbackStream(const PcmFormat& format, SoundSource& source,
                 std::vector<CallbackStream*>& registry)
      : format_(format),
        source_(source),
        registry_(registry),
        block_bytes_(DeviceBufferBytes(format)) {}

  // Opens the device with this stream as the callback's data; false when there is none.
  bool Start() {
    device_ = OpenSdlDevice(format_, &CallbackStream::Pull, this);
    if (!device_) return false;
    registry_.push_back(this);
    SDL_PauseAudioDevice(device_, 0);
    return true;
  }
  ~CallbackStream() override {
    if (!device_) return;
    std::erase(registry_, this);
    SDL_CloseAudioDevice(device_);  // waits for the device thread to leave the callback
  }

  // Keeps two blocks queued ahead of the device.
  void Service() {
    if (stopped_) return;
    while (source_.Held() > 3) {
      {
        std::lock_guard lock(mutex_);
        if (queued_bytes_ >= 2 * block_bytes_) return;
      }
      std::vector<uint8_t> block(block_bytes_);
      const uint32_t n = source_.Take(block.data(), static_cast<uint32_t>(block.size()));
      if (n == 0) return;
      block.resize(n);
      ApplyGains(block.data(), n, format_, gains_);
      std::lock_guard lock(mutex_);
      queued_bytes_ += n;
      queue_.push_back(std::move(block));
      fed_ = true;
    }
  }

  uint64_t Position() override { return played_.load(); }
  void Stop() override {
    if (stopped_) return;
    SDL_PauseAudioDevice(device_, 1);  // returns with the callback not running
    Drop();
    stopped_ = true;
  }
  bool Restart() override {
    SDL_PauseAudioDevice(device_, 0);
    stopped_ = false;
    return SDL_GetAudioDeviceStatus(device_) == SDL_AUDIO_PLAYING;
  }
  void SetVolumePan(uint32_t volume, uint32_t pan) override { gains_ = CallbackGains(volume, pan); }
  void Reset() override {
    SDL_LockAudioDevice(device_);
    Drop();
    {
      std::lock_guard lock(mutex_);
      fed_ = false;
    }
    played_ = 0;
    underrun_ = false;
    SDL_UnlockAudioDevice(device_);
  }
  bool TakeUnderrun() override { return underrun_.exchange(false); }

 private:
  void Drop() {
    std::lock_guard lock(mutex_);
    queue_.clear();
    queued_bytes_ = 0;
    front_used_ = 0;
  }

  // Device thread: fills `len` bytes from the queue, the rest with silence.
  static void SDLCALL Pull(void* self, Uint8* out, int len) {
    auto* s = static_cast<CallbackStream*>(self);
    size_t filled = 0;
    {
      std::lock_guard lock(s->mutex_);
      while (filled < size_t(len) && !s->queue_.empty()) {
        std::vector<uint8_t>& front = s->queue_.front();
        const size_t n = std::min(size_t(len) - filled, front.size() - s->front_used_);
        std::memcpy(out + filled, front.data() + s->front_used_, n);
        filled += n;
        s->front_used_ += n;
        s->queued_bytes_ -= n;
        if (s->front_used_ == front.size()) {
          s->queue_.pop_front();
          s->front_used_ = 0;
        }
      }
      if (filled < size_t(len) && s->fed_) s->underrun_ = true;
    }
    std::memset(out + filled, s->format_.SilenceByte(), size_t(len) - filled);
    s->played_ += filled;
  }

  PcmFormat format_;
  SoundSource& source_;
  std::vector<CallbackStream*>& registry_;
  uint32_t block_bytes_;  // one device buffer
  SDL_AudioDeviceID device_ = 0;
  ChannelGains gains_;
  bool stopped_ = false;

  std::mutex mutex_;  // guards the queue and the three fields below it
  std::deque<std::vector<uint8_t>> queue_;
  size_t queued_bytes_ = 0;
  size_t front_used_ = 0;
  bool fed_ = false;
  std::atomic<uint64_t> played_{0};
  std::atomic<bool> underrun_{false};
};

class CallbackDriver : public SoundDriver {
 public:
  std::unique_ptr<SoundStream> Open(const PcmFormat& format, SoundSource& source) override {
    auto stream = std::make_unique<CallbackStream>(format, source, streams_);
    if (!stream->Start()) return nullptr;
    return stream;
  }
  void Service() override {
    for (CallbackStream* s : streams_) s->Service();
  }

 private:
  std::vector<CallbackStream*> streams_;
};

}  // namespace

std::unique_ptr<SoundDriver> MakeCallbackDriver() { return std::make_unique<CallbackDriver>(); }

}  // namespace kinet::platform
