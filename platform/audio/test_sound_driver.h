// A sound driver for tests: no device, a record of every stream and of what it was given, and
// a play position that moves with an injectable clock.
//
// Each stream behaves like a device with `device_ms` of buffer: Service takes sound from the
// source until that much lies unplayed; the position advances at the stream's byte rate as
// the clock moves, but never past what was taken, and a stream that runs dry reports an
// underrun.
#pragma once

#include <memory>
#include <vector>

#include "platform/audio/sound_driver.h"
#include "platform/clock/clock.h"

namespace kinet::platform {

class TestSoundDriver : public SoundDriver {
 public:
  // What a test can see of one stream, kept after the stream closes.
  struct Log {
    PcmFormat format;
    std::vector<uint8_t> taken;  // every byte taken from the source, in order
    uint64_t played = 0;         // the position
    uint32_t volume = 0, pan = 0;
    int stops = 0, restarts = 0, resets = 0, underruns = 0;
    bool open = true, stopped = false;
  };

  explicit TestSoundDriver(Clock& clock, uint32_t device_ms = 250)
      : clock_(clock), device_ms_(device_ms) {}

  std::unique_ptr<SoundStream> Open(const PcmFormat& format, SoundSource& source) override;
  void Service() override;

  // Opens fail from now on, as with no device present.
  void set_fail_opens(bool fail) { fail_opens_ = fail; }
  void set_fail_restarts(bool fail) { fail_restarts_ = fail; }
  const std::vector<std::shared_ptr<Log>>& logs() const { return logs_; }
  int services() const { return services_; }

 private:
  class Stream;
  friend class Stream;

  Clock& clock_;
  uint32_t device_ms_;
  bool fail_opens_ = false, fail_restarts_ = false;
  int services_ = 0;
  std::vector<Stream*> streams_;
  std::vector<std::shared_ptr<Log>> logs_;
};

}  // namespace kinet::platform
