// Writes an FLC file (magic 0xAF12) frame by frame. For each frame: a COLOR_256 chunk with
// the entries that changed; then no picture chunk when the picture is unchanged, else for a
// later frame a delta (DELTA_FLI for 320x200, DELTA_FLC otherwise) when it is smaller than the
// raw picture, else BYTE_RUN when that is smaller, else FLI_COPY. FlicReader reads it.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/files/output_file.h"

namespace kinet::toolkit {

class FlicWriter {
 public:
  // Creates the output (a temporary file of `files` beside `path`). Nothing when it cannot be
  // created or the sides do not fit a flic (1 to 65535).
  static std::unique_ptr<FlicWriter> Create(platform::FileSystem& files, const std::string& path,
                                            uint32_t width, uint32_t height, int32_t frame_rate);

  // Appends a frame: 768 palette bytes and width x height pixels. False on a write failure
  // or beyond 65535 frames.
  [[nodiscard]] bool WriteFrame(const uint8_t* palette, const uint8_t* pixels);
  // Writes the header and puts the file in place. False on failure (nothing is left then).
  [[nodiscard]] bool Close();

 private:
  FlicWriter() = default;

  platform::SafeOutputFile file_;
  uint32_t width_ = 0, height_ = 0, speed_ms_ = 0, frames_ = 0;
  uint64_t size_ = 0, second_frame_at_ = 0;
  std::vector<uint8_t> previous_, chunk_;
  std::array<uint8_t, 768> previous_palette_{};
};

}  // namespace kinet::toolkit
