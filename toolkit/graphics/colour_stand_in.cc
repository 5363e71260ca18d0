#include "toolkit/graphics/colour_stand_in.h"

#include <algorithm>

namespace kinet::toolkit {

void ReduceToEightBits(const platform::Image& frame, std::vector<uint8_t>& pixels,
                       std::array<uint8_t, 768>& palette) {
  const size_t count = size_t{frame.width} * frame.height;
  pixels.resize(count);
  if (frame.bits == 8) {
    std::copy_n(frame.pixels.begin(), count, pixels.begin());
    palette = frame.palette;
    return;
  }
  for (uint32_t i = 0; i < 256; ++i) {
    palette[i * 3] = static_cast<uint8_t>((i >> 5) * 255 / 7);
    palette[i * 3 + 1] = static_cast<uint8_t>(((i >> 2) & 7) * 255 / 7);
    palette[i * 3 + 2] = static_cast<uint8_t>((i & 3) * 255 / 3);
  }
  const uint8_t* in = frame.pixels.data();
  for (size_t i = 0; i < count; ++i) {
    uint32_t r, g, b;
    if (frame.bits == 16) {
      const uint32_t v = in[2 * i] | in[2 * i + 1] << 8;
      r = (v >> 7) & 0xF8, g = (v >> 2) & 0xF8, b = (v << 3) & 0xF8;
    } else {
      const uint8_t* p = in + i * frame.BytesPerPixel();
      r = p[0], g = p[1], b = p[2];
    }
    pixels[i] = static_cast<uint8_t>((r & 0xE0) | (g >> 3 & 0x1C) | (b >> 6));
  }
}

}  // namespace kinet::toolkit
