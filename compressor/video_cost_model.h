// What a frame's video stream will take in the file, judged before the trees exist: every
// symbol costs what a code built from the frames so far (this one included) would spend on it.
// The encoder measures its choice with it, so that a data rate holds whatever the content.
#pragma once

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

#include "compressor/frame_writer.h"

namespace kinet::encoder {

class VideoCostModel {
 public:
  VideoCostModel();

  // The bits of the frame's symbols, each at least one bit, as if it were coded with trees of
  // the statistics so far and its own; the statistics are left as they were. `units` receives
  // the estimate's cost of the same code words (rate_control.h's ChunkCost of every chunk).
  double Bits(const FrameCodes& frame, uint64_t* units);
  // Adds the frame to the statistics.
  void Add(const FrameCodes& frame);

 private:
  std::array<std::vector<uint32_t>, 4> counts_, frame_counts_;
  std::array<uint64_t, 4> totals_{};
  std::vector<std::pair<int, uint16_t>> touched_;
};

}  // namespace kinet::encoder
