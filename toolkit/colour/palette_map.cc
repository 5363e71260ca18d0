#include "toolkit/colour/palette_map.h"

#include <algorithm>

namespace kinet::toolkit {
namespace {

constexpr uint16_t kValid = 0x100;

// (a - b)^2 at a x 64 + b for 6-bit a and b: the search adds table entries instead of
// multiplying.
struct SquareTable {
  std::array<uint16_t, 4096> squares;
  constexpr SquareTable() : squares() {
    for (int a = 0; a < 64; ++a) {
      for (int b = 0; b < 64; ++b) squares[a * 64 + b] = static_cast<uint16_t>((a - b) * (a - b));
    }
  }
};
constexpr SquareTable kSquares;

}  // namespace

PaletteMap::PaletteMap(uint32_t start, uint32_t colours)
    : start_(start), colours_(colours), cache_(std::make_unique<uint16_t[]>(kKeyCount)) {}

void PaletteMap::SetPalette(const Palette& palette) {
  palette_ = palette;
  std::fill_n(cache_.get(), kKeyCount, uint16_t{0});
}

uint8_t PaletteMap::Search(uint32_t key) {
  const uint16_t* red = &kSquares.squares[KeyRed(key) * 64];
  const uint16_t* green = &kSquares.squares[KeyGreen(key) * 64];
  const uint16_t* blue = &kSquares.squares[KeyBlue(key) * 64];
  uint32_t best = start_, best_distance = UINT32_MAX;
  for (uint32_t i = start_; i < start_ + colours_; ++i) {
    const uint8_t* rgb = &palette_[i * 3];
    const uint32_t distance = red[rgb[0] >> 2] + green[rgb[1] >> 2] + blue[rgb[2] >> 2];
    if (distance < best_distance) {
      best = i;
      best_distance = distance;
      if (distance == 0) break;
    }
  }
  cache_[key] = static_cast<uint16_t>(kValid | best);
  return static_cast<uint8_t>(best);
}

std::array<uint8_t, 256> PaletteMap::RemapTable(const Palette& from) {
  std::array<uint8_t, 256> table;
  for (uint32_t i = 0; i < 256; ++i) {
    table[i] = MapKey(KeyOf(from[i * 3], from[i * 3 + 1], from[i * 3 + 2]));
  }
  return table;
}

}  // namespace kinet::toolkit
