// Animated GIF: every picture of a file composed on its logical screen, as a browser shows
// them: each picture drawn over what the one before left (transparent pixels keep it), then
// disposed of as its control block says (left, cleared to the background, or put back as it
// was). Files whose pictures all use the global colour table come out as 8-bit frames with
// that palette; files with local tables come out as 24-bit frames, for the colour work.
// Nothing here throws.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/images/image.h"
#include "platform/images/picture_animation.h"

namespace kinet::platform {

class GifAnimation : public PictureAnimation {
 public:
  // The animation in `bytes`, checked whole once (every picture's sides and lines). Null when
  // the bytes are no GIF, are malformed before the first picture ends, or hold no picture. A
  // file cut after some pictures keeps those.
  static std::unique_ptr<GifAnimation> Decode(std::vector<uint8_t> bytes);
  ~GifAnimation() override;

  uint32_t width() const override { return width_; }
  uint32_t height() const override { return height_; }
  const std::vector<uint32_t>& delays_ms() const override { return delays_; }
  // 8 when every picture uses the global colour table, else 24.
  uint32_t bits() const { return bits_; }
  uint64_t file_bytes() const override { return bytes_.size(); }
  [[nodiscard]] bool Next(Image& frame) override;
  void Rewind() override;

 private:
  struct Decoder;
  GifAnimation() = default;
  bool Scan();
  bool Restart();
  bool DrawNext(Image& frame);

  std::vector<uint8_t> bytes_;
  uint32_t width_ = 0, height_ = 0, bits_ = 8;
  std::vector<uint32_t> delays_;
  std::unique_ptr<Decoder> decoder_;
  uint32_t next_ = 0;
  Image screen_, before_;  // the screen, and the screen before the last picture (disposal 3)
  uint32_t dispose_ = 0;   // how the last picture is disposed of before the next one
  uint32_t last_left_ = 0, last_top_ = 0, last_width_ = 0, last_height_ = 0;
  std::vector<uint8_t> line_;
};

}  // namespace kinet::platform
