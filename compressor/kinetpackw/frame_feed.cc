#include "compressor/kinetpackw/frame_feed.h"

#include <algorithm>
#include <cstring>

namespace kinet::pack {

void FrameFeed::Shape(ShapedFrame& out) const {
  const uint32_t w = shape_.width, columns = std::min(source_.width(), w);
  out.pixels.resize(size_t{w} * shape_.height);
  const std::vector<uint8_t>& in = source_.pixels();
  const uint32_t lines = source_.height();
  for (uint32_t y = 0; y < shape_.height; ++y) {
    const uint32_t from = std::min(y * shape_.line_step, lines - 1);
    uint8_t* line = &out.pixels[size_t{y} * w];
    std::memcpy(line, &in[size_t{from} * source_.pitch()], columns);
    std::fill(line + columns, line + w, line[columns - 1]);
  }
  out.palette = source_.palette();
  out.source_bytes = source_.frame_bytes();
}

bool FrameFeed::Next(ShapedFrame& out) {
  const uint32_t i = index_++;
  if (ring_frame_ && i + 1 == shape_.frames) {
    out = first_;
    return true;
  }
  if (every_other_ && !source_.NextFrame()) return false;
  if (!source_.NextFrame()) return false;
  Shape(out);
  if (i == 0 && ring_frame_) first_ = out;
  return true;
}

}  // namespace kinet::pack
