// Halftoning high-colour pictures onto a palette with an ordered (8x8 Bayer) dither between
// two entries. Each colour key is given its nearest entry A and the partner B whose mix with A
// best stands for the colour (least mean plus spread of squared error); every pixel then takes
// B where the fraction of the way from A towards B that its exact colour lies beyond the
// threshold of its position, else A. The threshold depends only on the pixel's position in the
// frame, so a still area gives the same pixels in every frame: no crawling noise, and unchanged
// blocks stay unchanged for the encoder. Gradients between two entries become an even mix
// instead of bands.
#pragma once

#include <cstdint>
#include <memory>

#include "toolkit/colour/palette_map.h"

namespace kinet::toolkit {

class Halftone {
 public:
  // Dithers onto the range and palette of `map`, which must outlive this. Allocates 512 KB.
  explicit Halftone(PaletteMap& map);

  // Forgets the partners found so far; call after the map's palette changed.
  void Reset();

  // Maps `width` pixels of red, green, blue bytes that sit in frame row `y` from column 0.
  void MapRow(const uint8_t* rgb, uint32_t width, uint32_t y, uint8_t* out);

 private:
  uint16_t Pair(uint32_t key);
  uint16_t FindPair(uint32_t key);

  PaletteMap& map_;
  // Per colour key: 0 when not yet found, else the valid mark with A in the low byte and B in
  // the high byte. B equals A when no mix beats A alone.
  std::unique_ptr<uint32_t[]> pairs_;
};

}  // namespace kinet::toolkit
