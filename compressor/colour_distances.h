// The colour distances of one palette, so that the encoder's inner loops never touch palette
// entries: a 256 x 256 table of squared differences (green weighted 6/5) and a brightness per
// entry.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace kinet::encoder {

class ColourDistances {
 public:
  ColourDistances() : table_(256 * 256, 0) {}

  // d(i, j) = (r_i - r_j)^2 + (b_i - b_j)^2 + ((g_i - g_j)^2 x 6) / 5 over `palette` (256 x red,
  // green, blue); brightness(i) = r_i + g_i + b_i.
  void Rebuild(const uint8_t palette[768]);

  uint32_t operator()(uint8_t i, uint8_t j) const { return table_[size_t{i} * 256 + j]; }
  // The distances from entry i to every entry.
  const uint32_t* Row(uint8_t i) const { return table_.data() + size_t{i} * 256; }
  uint32_t Brightness(uint8_t i) const { return brightness_[i]; }

 private:
  std::vector<uint32_t> table_;
  std::array<uint32_t, 256> brightness_{};
};

}  // namespace kinet::encoder
