// What each cheap block kind would cost one 4x4 block in quality: the best fill colour and the
// best two-colour pattern, with their errors as sums of colour distances over the 16 pixels.
#pragma once

#include <cstdint>

#include "compressor/colour_distances.h"

namespace kinet::encoder {

// An error no threshold accepts: the kind cannot code the block.
inline constexpr uint32_t kImpossibleError = 0xFFFFFFF;
// The error of a block that must be coded exactly: above every threshold, below impossible.
inline constexpr uint32_t kExactOnlyError = 0xFFFFFF;

// The palette entries a fill or a pair of colours may use: first .. first + count - 1.
struct PaletteRange {
  uint32_t first = 0;
  uint32_t count = 256;
};

struct BlockChoice {
  uint32_t fill_error = kImpossibleError;
  uint8_t fill_colour = 0;
  uint32_t two_error = kImpossibleError;
  uint32_t two_word = 0;  // colour B in bits 24-31, A in 16-23, the mask below (bit 15 clear)
};

// Analyses the 16 pixels of one block (block order, row by row). A block of one colour is a
// fill of that colour with error 0 and has no two-colour pattern. The fill colour minimises
// the summed distance over the range (ties keep the lower entry). With more than two colours,
// the pair comes from grouping the colours by nearness to the two most distant colours and by
// brightness, whichever groups fit better (nearness on a tie).
BlockChoice AnalyseBlock(const uint8_t pixels[16], const ColourDistances& d, PaletteRange range);

// The summed distance between two blocks of 16 pixels.
inline uint32_t BlockDistance(const uint8_t* a, const uint8_t* b, const ColourDistances& d) {
  uint32_t sum = 0;
  for (int i = 0; i < 16; ++i) sum += d(a[i], b[i]);
  return sum;
}

// The 16 pixels a two-colour word produces: B where the mask bit is set, A elsewhere.
inline void PaintTwoColour(uint32_t word, uint8_t out[16]) {
  const uint8_t a = static_cast<uint8_t>(word >> 16), b = static_cast<uint8_t>(word >> 24);
  for (int i = 0; i < 16; ++i) out[i] = (word >> i) & 1 ? b : a;
}

}  // namespace kinet::encoder
