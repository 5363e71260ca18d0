// Block code words: one 32-bit word per 4x4 block saying how the encoder codes it.
#pragma once

#include <cstdint>

namespace kinet::encoder {

inline constexpr uint32_t kCodeFull = 0;       // all 16 pixels coded
inline constexpr uint32_t kCodeSkip = 0x8100;  // keep the previous picture
inline constexpr uint32_t kCodeFill = 0x8000;  // plus the colour: one colour for all pixels

// Any other word is a two-colour word: bits 24-31 colour B, bits 16-23 colour A, bits 0-15 the
// mask (first pixel in bit 0, a set bit selects B; never 0 and below 0x8000).
inline uint32_t TwoColourWord(uint8_t a, uint8_t b, uint16_t mask) {
  return uint32_t{b} << 24 | uint32_t{a} << 16 | mask;
}

inline bool IsFill(uint32_t code) { return (code & 0xFFFFFF00u) == kCodeFill; }

// The block kind of a code word, as coded in bits 0-1 of the block-type value.
inline uint16_t KindOf(uint32_t code) {
  if (code == kCodeFull) return 1;
  if (code == kCodeSkip) return 2;
  if (IsFill(code)) return 3;
  return 0;
}

// Blocks in the next chunk of a run of n blocks: the largest power of two from 128 to 2048
// that fits, else up to 59.
inline uint32_t ChunkLength(uint32_t n) {
  for (uint32_t chunk = 2048; chunk >= 128; chunk /= 2)
    if (n >= chunk) return chunk;
  return n < 59 ? n : 59;
}

// The chunks ChunkLength cuts a run of n blocks into: 2048-block chunks, at most one of each
// power of two from 1024 to 128, then chunks of up to 59.
constexpr uint32_t ChunkCount(uint32_t n) {
  uint32_t powers = 0;
  for (uint32_t rest = n % 2048 / 128; rest != 0; rest &= rest - 1) ++powers;
  return n / 2048 + powers + (n % 128 + 58) / 59;
}

// The run code of a chunk length: n - 1 up to 59, then 59..63 for 128..2048.
inline uint16_t RunCode(uint32_t chunk) {
  if (chunk <= 59) return static_cast<uint16_t>(chunk - 1);
  uint16_t code = 59;
  for (uint32_t n = 128; n < chunk; n *= 2) ++code;
  return code;
}

// Cuts the code words of a frame into runs of one kind (fill runs of one colour) and the runs
// into chunks, calling chunk(code, first_block, blocks) for each chunk in block order; `code` is
// the run's first code word.
template <typename ChunkFn>
void ForEachChunk(const uint32_t* codes, uint32_t total, ChunkFn&& chunk) {
  uint32_t block = 0;
  while (block < total) {
    const uint32_t code = codes[block];
    const uint16_t kind = KindOf(code);
    uint32_t end = block + 1;
    while (end < total && KindOf(codes[end]) == kind && (kind != 3 || codes[end] == code)) ++end;
    while (block < end) {
      const uint32_t blocks = ChunkLength(end - block);
      chunk(code, block, blocks);
      block += blocks;
    }
  }
}

}  // namespace kinet::encoder
