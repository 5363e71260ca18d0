// Animated pictures (GIF, PNG) as frames, composed as browsers show them; 8-bit where the whole
// animation shares one palette, else 24-bit for the colour work. The frame rate is the delay
// most frames have.
#pragma once

#include <memory>
#include <string>

#include "platform/images/picture_animation.h"
#include "toolkit/graphics/frame_reader.h"

namespace kinet::toolkit {

// The frame period of a list of delays: the most common one, shortest first among equals.
// Delays under 20 ms count as 100 ms, as browsers show them; an empty list gives 100 ms.
uint32_t CommonDelayMs(const std::vector<uint32_t>& delays_ms);

class AnimationFrames : public FrameReader {
 public:
  // Null unless `path` is an animated GIF or PNG with more than one frame (a single picture
  // is a still).
  static std::unique_ptr<AnimationFrames> Open(platform::FileSystem& files,
                                               const std::string& path);

  uint32_t width() const override { return animation_->width(); }
  uint32_t height() const override { return animation_->height(); }
  uint32_t frame_count() const override { return animation_->frame_count(); }
  int32_t frame_rate() const override { return static_cast<int32_t>(period_ms_); }
  uint64_t total_bytes() const override { return animation_->file_bytes(); }
  uint64_t Read(platform::Image& frame) override;
  bool Rewind() override;
  std::string Remark() const override { return remark_; }

 private:
  std::unique_ptr<platform::PictureAnimation> animation_;
  uint32_t period_ms_ = 100;
  std::string remark_;
};

}  // namespace kinet::toolkit
