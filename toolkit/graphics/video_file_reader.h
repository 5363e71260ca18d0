// Video files (.knt) as frames, decoded through the playback library.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "kinet/kinet.h"
#include "platform/files/file_system.h"
#include "toolkit/graphics/frame_reader.h"

namespace kinet::toolkit {

class VideoFileReader : public FrameReader {
 public:
  // Nothing when the library does not open `path` of `files` as a video file.
  static std::unique_ptr<VideoFileReader> Open(platform::FileSystem& files,
                                               const std::string& path);
  ~VideoFileReader() override;

  uint32_t width() const override { return handle_->Width; }
  uint32_t height() const override { return handle_->Height; }
  uint32_t frame_count() const override { return handle_->Frames; }
  int32_t frame_rate() const override { return handle_->FrameRate; }
  uint64_t total_bytes() const override { return file_bytes_; }

  // 0 once the library's read error is set (a cut file).
  uint64_t Read(platform::Image& frame) override;
  // Frames are passed over by decoding them: a frame builds on the ones before it.
  bool Rewind() override;

 private:
  VideoFileReader() = default;

  KinetHandle* handle_ = nullptr;
  std::vector<uint8_t> picture_;
  uint64_t file_bytes_ = 0;
  uint32_t next_ = 0;
};

}  // namespace kinet::toolkit
