// Decodes the video data of one frame record into an 8-bit picture, block run by block run,
// and records which groups of 16 blocks changed. Written by kinet::encoder::VideoTreeSet
// (compressor/frame_writer.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "lib/core/video_trees.h"

namespace kinet {

// Where a frame's pixels go. Stored row y of the picture is written at origin + y * row_step
// and, when Y-doubled, again at origin + y * row_step + double_offset.
struct FrameTarget {
  uint8_t* origin = nullptr;
  ptrdiff_t row_step = 0;
  ptrdiff_t double_offset = 0;  // 0 unless Y-doubled
  uint32_t blocks_per_row = 0;
  uint32_t block_rows = 0;
};

// One byte per group of 16 consecutive blocks in raster order (1 = changed in the last decoded
// frame), plus the end marker.
class ChangeMap {
 public:
  void Resize(uint32_t blocks) { groups_.assign(blocks / 16 + 2, 0); }
  const std::vector<uint8_t>& groups() const { return groups_; }
  std::vector<uint8_t>& groups() { return groups_; }
  // Group count without the end marker's room.
  uint32_t size() const { return static_cast<uint32_t>(groups_.size() - 1); }

 private:
  std::vector<uint8_t> groups_;
};

// Decodes `size` bytes of video data, every frame from fresh caches. Returns false
// when the data ended before every block was decoded (the rest then decodes from zero bits;
// nothing is read or written outside the data and the target).
bool DecodeFrameVideo(VideoTrees& trees, const uint8_t* data, size_t size,
                      const FrameTarget& target, ChangeMap& changes);

}  // namespace kinet
