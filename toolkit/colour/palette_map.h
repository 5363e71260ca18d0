// Mapping colours onto a palette range: the nearest entry by the sum of squared 6-bit
// differences (the first entry on ties), remembered per colour key so that each distinct colour
// is searched once per palette, and the 256-entry table that carries 8-bit pixels of one
// palette over to another.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "toolkit/colour/colour_key.h"

namespace kinet::toolkit {

class PaletteMap {
 public:
  // Maps onto entries start .. start + colours - 1 of `palette` (start + colours <= 256,
  // colours >= 1). Allocates the 512 KB cache.
  PaletteMap(uint32_t start, uint32_t colours);

  // A new palette: forgets every cached mapping.
  void SetPalette(const Palette& palette);
  const Palette& palette() const { return palette_; }

  // The entry nearest to the colour of `key`.
  uint8_t MapKey(uint32_t key) {
    const uint16_t entry = cache_[key];
    return entry != 0 ? static_cast<uint8_t>(entry) : Search(key);
  }
  // For each entry of `from`, the nearest entry of the palette.
  std::array<uint8_t, 256> RemapTable(const Palette& from);

  uint32_t start() const { return start_; }
  uint32_t colours() const { return colours_; }

 private:
  uint8_t Search(uint32_t key);

  uint32_t start_, colours_;
  Palette palette_{};
  // High byte non-zero marks a valid entry; the low byte is the palette index.
  std::unique_ptr<uint16_t[]> cache_;
};

}  // namespace kinet::toolkit
