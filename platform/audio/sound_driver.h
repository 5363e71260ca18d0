// The sound device as the playback library sees it: a driver that opens PCM streams, each
// fed from a source the library fills (a track's ring), and a service call the library makes
// often from its own thread.
//
// Two real drivers stand behind it, chosen with MakeSoundDriver: the polled driver, which
// hands sound to the device only inside Service, and the callback driver, whose device thread
// pulls sound from a queue that Service fills. TestSoundDriver (test_sound_driver.h) records
// what it is given and plays by an injectable clock.
#pragma once

#include <cstdint>
#include <memory>

namespace kinet::platform {

struct PcmFormat {
  uint32_t rate = 0;      // samples per second, per channel
  uint32_t channels = 1;  // 1 or 2, interleaved left first
  uint32_t bits = 8;      // 8 (unsigned) or 16 (signed little-endian)

  uint32_t FrameBytes() const { return channels * (bits / 8); }
  uint32_t BytesPerSecond() const { return rate * FrameBytes(); }
  uint8_t SilenceByte() const { return bits == 16 ? 0x00 : 0x80; }
};

// Every driver refuses rates below this: no device plays them, and a device buffer of such
// sound (a thousand samples at 1 Hz last a quarter of an hour) would hold the close of the
// stream until it has played.
inline constexpr uint32_t kLowestPlayedRate = 1000;

// Where a stream takes its sound from. Called only from the library's thread, inside
// SoundDriver::Service.
class SoundSource {
 public:
  // Bytes ready to be taken.
  virtual uint32_t Held() const = 0;
  // Moves at most `n` bytes, whole sample frames, to `dest`; returns how many.
  virtual uint32_t Take(uint8_t* dest, uint32_t n) = 0;

 protected:
  ~SoundSource() = default;
};

// One open stream. Destroying it closes it. All calls come from the library's thread.
class SoundStream {
 public:
  virtual ~SoundStream() = default;
  // Bytes played since the stream opened or was last reset; keeps its value across Stop.
  virtual uint64_t Position() = 0;
  // Pauses; sound handed to the device but not yet played is dropped.
  virtual void Stop() = 0;
  // Plays on after Stop. False when the device refuses.
  [[nodiscard]] virtual bool Restart() = 0;
  // volume 0 (silent) to 65536 (full); pan 0 full left, 32768 centre, 65536 full right.
  virtual void SetVolumePan(uint32_t volume, uint32_t pan) = 0;
  // Drops all sound handed over and starts counting the position from 0 again.
  virtual void Reset() = 0;
  // True when the device ran dry since the last call; the call clears it.
  virtual bool TakeUnderrun() = 0;
};

class SoundDriver {
 public:
  virtual ~SoundDriver() = default;
  // Opens a stream in `format` that takes its sound from `source`, which must outlive the
  // stream. Null when no device can play it (none present, format refused, a rate below
  // kLowestPlayedRate).
  virtual std::unique_ptr<SoundStream> Open(const PcmFormat& format, SoundSource& source) = 0;
  // Moves sound from the sources of the open streams towards the device.
  virtual void Service() = 0;
};

enum class SoundDriverKind {
  kPolled,    // the device is fed only inside Service
  kCallback,  // a device thread pulls from a queue that Service fills
};

// The one place where a driver kind becomes a device implementation.
std::unique_ptr<SoundDriver> MakeSoundDriver(SoundDriverKind kind);

}  // namespace kinet::platform
