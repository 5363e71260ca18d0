// A sound file (.wav) as a graphics source: blank frames at 10 frames per second for as long as
// the sound lasts, so that a video of only sound can be made.
#pragma once

#include <memory>
#include <string>

#include "platform/files/input_file.h"
#include "toolkit/graphics/frame_reader.h"

namespace kinet::toolkit {

// The blank frames: black pictures of this size with a black palette.
inline constexpr uint32_t kBlankWidth = 320, kBlankHeight = 240;
inline constexpr int32_t kBlankFrameRate = 100;  // milliseconds

class WavBlankReader : public FrameReader {
 public:
  // Reads the RIFF header ("RIFF", "WAVE", a "fmt " chunk with format tag 1, a "data" chunk)
  // of `file`, named `path`. Nothing when it is not such a file or names 0 bytes per second.
  static std::unique_ptr<WavBlankReader> Open(platform::InputFile file, const std::string& path);

  uint32_t width() const override { return kBlankWidth; }
  uint32_t height() const override { return kBlankHeight; }
  // data bytes x 10 / bytes per second + 1, counting the bytes there are in a truncated file.
  uint32_t frame_count() const override { return frames_; }
  int32_t frame_rate() const override { return kBlankFrameRate; }
  uint64_t total_bytes() const override { return file_bytes_; }
  // That the file is truncated, when it is (TruncationRemark).
  std::string Remark() const override { return remark_; }

  uint64_t Read(platform::Image& frame) override;
  bool Rewind() override { return true; }
  bool Skip(uint32_t) override { return true; }

 private:
  uint32_t frames_ = 0;
  uint64_t file_bytes_ = 0;
  std::string remark_;
};

}  // namespace kinet::toolkit
