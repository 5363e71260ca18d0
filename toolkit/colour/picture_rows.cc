#include "toolkit/colour/picture_rows.h"

#include <algorithm>
#include <cstring>

namespace kinet::toolkit {

bool PictureReadable(const platform::Image& picture) {
  const uint32_t bits = picture.bits;
  if (bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
  return picture.pixels.size() >= picture.RowBytes() * picture.height;
}

RowSpan InsidePicture(const platform::Image& picture, const FrameWindow& window, uint32_t row) {
  const int64_t y = int64_t{window.y} + row;
  if (y < 0 || y >= int64_t{picture.height}) return {};
  const int64_t left = std::max<int64_t>(window.x, 0);
  const int64_t right = std::min<int64_t>(int64_t{window.x} + window.width, picture.width);
  if (right <= left) return {};
  return {static_cast<uint32_t>(left - window.x), static_cast<uint32_t>(right - left)};
}

void ReadWindowRow(const platform::Image& picture, const FrameWindow& window, uint32_t row,
                   uint8_t* rgb) {
  std::memset(rgb, 0, size_t{window.width} * 3);
  const RowSpan span = InsidePicture(picture, window, row);
  if (span.count == 0) return;
  const size_t y = static_cast<size_t>(int64_t{window.y} + row);
  const size_t x = static_cast<size_t>(int64_t{window.x} + span.first);
  const uint8_t* in = picture.pixels.data() + y * picture.RowBytes() + x * picture.BytesPerPixel();
  uint8_t* out = rgb + size_t{span.first} * 3;
  switch (picture.bits) {
    case 8:
      for (uint32_t i = 0; i < span.count; ++i)
        std::memcpy(out + i * 3, &picture.palette[in[i] * 3], 3);
      break;
    case 16:
      for (uint32_t i = 0; i < span.count; ++i) {
        const uint32_t v = in[2 * i] | in[2 * i + 1] << 8;
        const uint32_t r = (v >> 10) & 31, g = (v >> 5) & 31, b = v & 31;
        out[i * 3] = static_cast<uint8_t>(r << 3 | r >> 2);
        out[i * 3 + 1] = static_cast<uint8_t>(g << 3 | g >> 2);
        out[i * 3 + 2] = static_cast<uint8_t>(b << 3 | b >> 2);
      }
      break;
    case 24:
      std::memcpy(out, in, size_t{span.count} * 3);
      break;
    case 32:
      for (uint32_t i = 0; i < span.count; ++i) std::memcpy(out + i * 3, in + i * 4, 3);
      break;
    default:
      break;
  }
}

}  // namespace kinet::toolkit
