// Animated PNG: the frames its control chunks describe, each frame's data made into a PNG of its
// own for the PNG codec, then composed on the screen (replaced or blended over, and disposed of
// as left, cleared or put back). Frames come out as 24-bit pictures for the colour work.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "platform/images/picture_animation.h"

namespace kinet::platform {

class PngAnimation : public PictureAnimation {
 public:
  // Null unless `bytes` are a PNG with an animation control chunk and at least one frame whose
  // rectangle lies on the screen. Frames after a malformed chunk are dropped.
  static std::unique_ptr<PngAnimation> Decode(std::vector<uint8_t> bytes);

  uint32_t width() const override { return width_; }
  uint32_t height() const override { return height_; }
  const std::vector<uint32_t>& delays_ms() const override { return delays_; }
  uint64_t file_bytes() const override { return bytes_.size(); }
  [[nodiscard]] bool Next(Image& frame) override;
  void Rewind() override { next_ = static_cast<uint32_t>(frames_.size()); }

 private:
  struct Frame {
    uint32_t left = 0, top = 0, width = 0, height = 0;
    uint8_t dispose = 0, blend = 0;
    std::vector<std::span<const uint8_t>> data;  // the frame's image data, chunk by chunk
  };
  PngAnimation() = default;
  bool Scan();
  bool Draw(const Frame& frame);
  std::vector<uint8_t> FramePng(const Frame& frame) const;

  std::vector<uint8_t> bytes_;
  std::span<const uint8_t> header_, palette_, transparency_;  // IHDR, PLTE and tRNS data
  uint32_t width_ = 0, height_ = 0;
  std::vector<Frame> frames_;
  std::vector<uint32_t> delays_;
  uint32_t next_ = 0;
  std::vector<uint8_t> screen_, before_;  // red, green, blue, alpha per pixel
};

}  // namespace kinet::platform
