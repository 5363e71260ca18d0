// The PCM formats the sound source reads and delivers: 8-bit unsigned or 16-bit signed
// little-endian samples, one or two channels interleaved left first.
#pragma once

#include <cstdint>

namespace kinet::toolkit {

// Rates above this are refused as input and lowered to it as output; it is also the largest
// rate a video file's track word can hold, and it keeps the rate products of the conversion
// far inside 64 bits.
inline constexpr uint32_t kMaxSoundRate = 0xFFFFFF;

struct SoundFormat {
  uint32_t rate = 0;      // sample frames per second
  uint32_t bits = 0;      // 8 or 16
  uint32_t channels = 0;  // 1 or 2

  // Bytes of one sample frame: bits x channels / 8.
  uint32_t frame_bytes() const { return bits * channels / 8; }
  uint64_t bytes_per_second() const { return uint64_t{rate} * frame_bytes(); }
  // True for a format the source converts: rate 1..kMaxSoundRate, 8 or 16 bits, 1 or 2
  // channels.
  bool usable() const {
    return rate >= 1 && rate <= kMaxSoundRate && (bits == 8 || bits == 16) &&
           (channels == 1 || channels == 2);
  }
  bool operator==(const SoundFormat&) const = default;
};

// Time is carried in 10-microsecond units ("ticks"), the unit of the frame period.
inline constexpr uint64_t kTicksPerSecond = 100000;
inline constexpr uint64_t kTicksPerMillisecond = 100;

// Bytes of `ticks` of sound at `bytes_per_second`, rounded down; UINT64_MAX when too many.
inline uint64_t BytesForTicks(uint64_t ticks, uint64_t bytes_per_second) {
  const unsigned __int128 bytes =
      static_cast<unsigned __int128>(ticks) * bytes_per_second / kTicksPerSecond;
  return bytes > UINT64_MAX ? UINT64_MAX : static_cast<uint64_t>(bytes);
}

// A forced raw input type packed as rate x 8 + code: bit 0 stereo, bit 1 16-bit. 0 means no
// forced type.
inline SoundFormat UnpackRawType(uint32_t packed) {
  return {packed >> 3, (packed & 2) ? 16u : 8u, (packed & 1) ? 2u : 1u};
}

}  // namespace kinet::toolkit
