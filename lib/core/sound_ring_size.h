// How much decoded sound a player keeps for one track: a second and two frames, in whole
// blocks. The playback library leaves closed a track that would need more than kMaxSoundRing;
// the mixer and the compressor refuse to write one, since each of its records would carry more
// sound than any player holds.
#pragma once

#include <cstdint>

namespace kinet {

inline constexpr uint64_t kSoundRingBlock = 4096;
// A second of sound and two frames at any rate a device plays, with frames of many seconds,
// stay far below this; a track that would need more has lying rates or frames of hours.
inline constexpr uint64_t kMaxSoundRing = 32u << 20;

// The ring for `bytes_per_second` of sound and frames of `period` (10-microsecond units).
inline uint64_t SoundRingBytes(uint64_t bytes_per_second, uint32_t period) {
  // Any rate and period a caller may be handed: the product is kept in 128 bits.
  const unsigned __int128 frame =
      static_cast<unsigned __int128>(bytes_per_second) * period / 100000;
  const unsigned __int128 bytes = bytes_per_second + 2 * frame;
  if (bytes > UINT64_MAX - kSoundRingBlock) return UINT64_MAX;
  return (static_cast<uint64_t>(bytes) + kSoundRingBlock - 1) / kSoundRingBlock * kSoundRingBlock;
}

}  // namespace kinet
