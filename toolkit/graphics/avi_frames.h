// AVI files as frames, through the platform's AVI reader. The sound of the file is the sound
// source's business.
#pragma once

#include <memory>
#include <string>

#include "platform/avi/avi_reader.h"
#include "toolkit/graphics/frame_reader.h"

namespace kinet::toolkit {

class AviFrames : public FrameReader {
 public:
  // Nothing when `path` of `files` is no AVI file with a video stream the reader decodes.
  static std::unique_ptr<AviFrames> Open(platform::FileSystem& files, const std::string& path);

  uint32_t width() const override { return avi_->width(); }
  uint32_t height() const override { return avi_->height(); }
  uint32_t frame_count() const override { return avi_->frame_count(); }
  int32_t frame_rate() const override { return avi_->frame_rate(); }
  uint64_t total_bytes() const override { return avi_->file_bytes(); }

  uint64_t Read(platform::Image& frame) override;
  bool Rewind() override;

 private:
  explicit AviFrames(std::unique_ptr<platform::AviReader> avi) : avi_(std::move(avi)) {}

  std::unique_ptr<platform::AviReader> avi_;
  uint32_t next_ = 0;
};

}  // namespace kinet::toolkit
