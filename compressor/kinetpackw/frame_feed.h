// The frames of a run in the order they are encoded, shaped as they are stored: every second
// source frame with /V, every second line in the height modes (lines below the source repeat
// its last line, columns right of it its last column), and frame 0 once more at the end with a
// ring frame.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "compressor/kinetpackw/pack_settings.h"
#include "toolkit/graphics/graphics_source.h"

namespace kinet::pack {

struct ShapedFrame {
  std::vector<uint8_t> pixels;  // width x height of the run
  std::array<uint8_t, 768> palette{};
  uint64_t source_bytes = 0;  // the source frame's size in its file
};

class FrameFeed {
 public:
  FrameFeed(toolkit::GraphicsSource& source, const RunShape& shape, bool every_other,
            bool ring_frame)
      : source_(source), shape_(shape), every_other_(every_other), ring_frame_(ring_frame) {}

  // The next frame to encode. False when the source fails or is cancelled (already reported).
  [[nodiscard]] bool Next(ShapedFrame& out);

 private:
  void Shape(ShapedFrame& out) const;

  toolkit::GraphicsSource& source_;
  RunShape shape_;
  bool every_other_, ring_frame_;
  uint32_t index_ = 0;
  ShapedFrame first_;
};

}  // namespace kinet::pack
