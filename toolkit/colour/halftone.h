// Halftoning high-colour pictures onto a palette with an ordered (8x8 Bayer) dither between
// two entries. Each colour key is given its nearest entry A and, on either side of A, the
// partner whose mix with A best stands for colours there (least mean plus spread of squared
// error); every pixel then takes the partner on its side where the share of the way from A
// towards it that its exact colour lies is beyond the threshold of its position, else A. The
// threshold depends only on the pixel's position in the frame, so a still area gives the same
// pixels in every frame: no crawling noise, and unchanged blocks stay unchanged for the encoder.
// Gradients between two entries become an even mix instead of bands.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "toolkit/colour/palette_map.h"

namespace kinet::toolkit {

class Halftone {
 public:
  // Dithers onto the range and palette of `map`, which must outlive this. Allocates 1 MB.
  explicit Halftone(PaletteMap& map);

  // Forgets the partners found so far and takes the map's palette; call after it changed.
  void Reset();

  // Maps `width` pixels of red, green, blue bytes that sit in frame row `y` from column 0.
  void MapRow(const uint8_t* rgb, uint32_t width, uint32_t y, uint8_t* out);

 private:
  uint32_t Partners(uint32_t key);
  uint32_t FindPartners(uint32_t key);

  PaletteMap& map_;
  // Per colour key: 0 when not yet found, else the found mark (bit 24), A in bits 0-7, the
  // partner on the side of the key's middle colour in bits 8-15 and the one on the other side
  // in bits 16-23. A partner equals A when no entry lies on that side (beyond the palette's
  // reach).
  std::unique_ptr<uint32_t[]> pairs_;
  // The palette by component, and 0 for the entries of the map's range (kFar for the others).
  std::array<float, 256> red_, green_, blue_, outside_;
};

}  // namespace kinet::toolkit
