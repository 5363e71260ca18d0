// The flic file layout shared by the flic reader and the flic writer: a 128-byte header, then
// frame chunks (16-byte header, type 0xF1FA) holding sub-chunks (6-byte header: size, type).
// Every size counts its own header; chunks are padded to even sizes.
#pragma once

#include <cstdint>

namespace kinet::toolkit::flic {

inline constexpr uint32_t kHeaderSize = 128;
inline constexpr uint32_t kFrameHeaderSize = 16;
inline constexpr uint32_t kChunkHeaderSize = 6;

inline constexpr uint16_t kMagicFli = 0xAF11;  // 320x200, speed in 1/70 seconds
inline constexpr uint16_t kMagicFlc = 0xAF12;  // any size, speed in milliseconds
inline constexpr uint16_t kFrameType = 0xF1FA;

// Header fields by byte offset.
inline constexpr uint32_t kSizeAt = 0, kMagicAt = 4, kFramesAt = 6, kWidthAt = 8, kHeightAt = 10,
                          kDepthAt = 12, kFlagsAt = 14, kSpeedAt = 16, kFirstFrameAt = 80,
                          kSecondFrameAt = 84;

enum ChunkType : uint16_t {
  kColor256 = 4,   // palette packets, components 0-255
  kDeltaFlc = 7,   // word-oriented line deltas
  kColor64 = 11,   // palette packets, components 0-63
  kDeltaFli = 12,  // byte-oriented line deltas
  kBlack = 13,     // the whole picture index 0
  kByteRun = 15,   // every line run-length coded
  kFliCopy = 16,   // the picture uncoded
};

}  // namespace kinet::toolkit::flic
