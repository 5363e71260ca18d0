// Reads a flic file (FLI or FLC) frame by frame. After the last frame it starts over at the
// first frame record.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/files/input_file.h"
#include "toolkit/graphics/frame_reader.h"

namespace kinet::toolkit {

class FlicReader : public FrameReader {
 public:
  // Reads the 128-byte header of `file` (at offset 0). Nothing when the file does not start
  // with a flic header (magic 0xAF11 or 0xAF12, 8-bit depth, sides within the picture limits).
  static std::unique_ptr<FlicReader> Open(platform::InputFile file);

  uint32_t width() const override { return picture_.width; }
  uint32_t height() const override { return picture_.height; }
  uint32_t frame_count() const override { return frames_; }
  int32_t frame_rate() const override { return frame_rate_; }
  uint64_t total_bytes() const override { return file_size_; }

  // 0 for a frame chunk that is cut, lies about its size, or is malformed.
  uint64_t Read(platform::Image& frame) override;
  bool Rewind() override;

 private:
  FlicReader() = default;
  // Reads the next frame chunk (passing over chunks of other types) into `body_`. Returns
  // the chunk size, 0 on failure.
  uint64_t ReadFrameChunk(uint32_t& chunk_count);

  platform::InputFile file_;
  platform::Image picture_;  // the picture and palette so far, for the deltas
  std::vector<uint8_t> body_;
  uint64_t file_size_ = 0;
  uint64_t first_frame_at_ = 0;
  uint64_t next_at_ = 0;
  uint32_t frames_ = 0, next_frame_ = 0;
  int32_t frame_rate_ = 0;
};

}  // namespace kinet::toolkit
