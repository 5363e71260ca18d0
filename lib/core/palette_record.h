// Palette records: the commands that turn the previous palette into a frame's palette.
// Written by kinet::EncodePaletteRecord (compressor/palette_encoder.h).
#pragma once

#include <cstddef>
#include <cstdint>

namespace kinet {

inline constexpr size_t kPaletteBytes = 768;

// Applies the commands of a palette record (the bytes after its length byte, `size` of them)
// to `palette` (256 x red, green, blue). Every source entry comes from the palette as it was
// before the record. Commands that would pass entry 255 are cut at it; commands running past
// the record's end are dropped, keeping the previous entries.
void DecodePaletteRecord(const uint8_t* commands, size_t size, uint8_t palette[kPaletteBytes]);

// A 6-bit file component widened to 8 bits, so that 63 becomes 255.
inline uint8_t WidenComponent(uint8_t v) {
  v &= 63;
  return static_cast<uint8_t>(v << 2 | v >> 4);
}

}  // namespace kinet
