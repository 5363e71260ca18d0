#include "compressor/colour_distances.h"

namespace kinet::encoder {

void ColourDistances::Rebuild(const uint8_t palette[768]) {
  for (int i = 0; i < 256; ++i) {
    const uint8_t* a = palette + 3 * i;
    brightness_[i] = uint32_t{a[0]} + a[1] + a[2];
    for (int j = 0; j < 256; ++j) {
      const uint8_t* b = palette + 3 * j;
      const int32_t dr = a[0] - b[0], dg = a[1] - b[1], db = a[2] - b[2];
      table_[size_t(i) * 256 + j] = static_cast<uint32_t>(dr * dr + db * db + dg * dg * 6 / 5);
    }
  }
}

}  // namespace kinet::encoder
