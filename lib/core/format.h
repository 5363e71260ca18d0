// Helpers over the file layout of kinet_format.h: byte order, frame period and run lengths.
#pragma once

#include <cstddef>
#include <cstdint>

#include "kinet/kinet_format.h"

namespace kinet {

inline uint16_t LoadLe16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
inline uint32_t LoadLe32(const uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
inline void StoreLe16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}
inline void StoreLe32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

// Reads / writes the 104-byte header field by field, independent of host byte order.
KinetHeader ParseHeader(const uint8_t* bytes);
void SerializeHeader(const KinetHeader& header, uint8_t* bytes);

// Frame period P in 10-microsecond units from the header's FrameRate (any value, INT32_MIN
// included); 0 means unpaced.
uint32_t FramePeriod(int32_t frame_rate);

// Number of frame records: Frames, plus the ring frame when the header has one.
inline uint64_t FrameRecordCount(const KinetHeader& h) {
  return uint64_t{h.Frames} + ((h.Flags & KINET_FLAG_RING_FRAME) ? 1 : 0);
}

// Blocks in a run with run code r (0..63): r + 1 up to 58, then 128, 256, 512, 1024, 2048.
inline uint32_t RunLength(uint32_t run_code) {
  return run_code <= 58 ? run_code + 1 : 128u << (run_code - 59);
}

// Block kinds as coded in bits 0-1 of a block-type value.
enum BlockKind : uint16_t { kTwoColour = 0, kFull = 1, kVoid = 2, kSolid = 3 };

// True when the track descriptor names a present track (bit 30 set and a rate other than 0).
inline bool TrackPresent(uint32_t audio_rate) {
  return (audio_rate & KINET_AUDIO_PRESENT) && (audio_rate & KINET_AUDIO_RATE_MASK);
}

}  // namespace kinet
