// Raw frame files (.raw): "RAWB", then four unsigned 32-bit little-endian values: frame count,
// width, height, and the frame period in 10-microsecond units. Each frame follows as its
// palette (256 x red, green, blue) and its 8-bit pixels, lines top to bottom, each padded
// to a multiple of 4 bytes.
#pragma once

#include <memory>
#include <vector>

#include "platform/files/input_file.h"
#include "toolkit/graphics/frame_reader.h"

namespace kinet::toolkit {

inline constexpr uint32_t kRawHeaderSize = 20;

class RawReader : public FrameReader {
 public:
  // Nothing when the file does not start with the header, or is shorter than its frames.
  static std::unique_ptr<RawReader> Open(platform::InputFile file);

  uint32_t width() const override { return width_; }
  uint32_t height() const override { return height_; }
  uint32_t frame_count() const override { return frames_; }
  int32_t frame_rate() const override { return frame_rate_; }
  uint64_t total_bytes() const override { return file_bytes_; }

  uint64_t Read(platform::Image& frame) override;
  bool Rewind() override;
  bool Skip(uint32_t count) override;

  // Bytes of one frame record: palette and padded lines.
  uint64_t FrameBytes() const;

 private:
  platform::InputFile file_;
  uint32_t width_ = 0, height_ = 0, frames_ = 0, next_ = 0;
  int32_t frame_rate_ = 0;
  uint64_t file_bytes_ = 0;
  std::vector<uint8_t> record_;
};

}  // namespace kinet::toolkit
