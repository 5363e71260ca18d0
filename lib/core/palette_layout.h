// How callers lay out the palettes they hand to KinetColorRemap and KinetBufferNewPalette:
// flag 1 doubles entry size and offsets (16-bit cells, the byte at the doubled offset counts),
// 2 swaps red and blue, 4 makes entries 4 bytes, 8 (with 4) puts the components at 1, 2, 3.
#pragma once

#include <cstdint>
#include <utility>

namespace kinet {

struct PaletteLayout {
  uint32_t entry = 3, red = 0, green = 1, blue = 2;

  explicit PaletteLayout(uint32_t flags) {
    if (flags & 4) entry = 4;
    if ((flags & 4) && (flags & 8)) red = 1, green = 2, blue = 3;
    if (flags & 2) std::swap(red, blue);
    if (flags & 1) entry *= 2, red *= 2, green *= 2, blue *= 2;
  }

  // Red, green, blue of entry i of `palette`.
  void Get(const uint8_t* palette, uint32_t i, uint8_t rgb[3]) const {
    const uint8_t* p = palette + i * entry;
    rgb[0] = p[red];
    rgb[1] = p[green];
    rgb[2] = p[blue];
  }
};

}  // namespace kinet
