// Turns the change map of the last decoded frame into rectangles for the caller to copy.
// Each group of 16 blocks covers 64 pixel columns of a band of 4 rows; groups follow each
// other along the bands, so a group may cross the right edge into the next band.
#pragma once

#include <cstdint>

#include "lib/core/frame_decoder.h"

namespace kinet {

struct ChangeRect {
  uint32_t left = 0, top = 0, width = 0, height = 0;  // stored rows; empty when all 0
};

enum class RectMode : uint32_t { kMerged = 0, kBounding = 1, kNone = 2, kMergedWithEnd = 3 };

class ChangeRectIterator {
 public:
  // A frame was decoded: the next call starts from the first changed span.
  void Restart() {
    state_ = State::kFirst;
    position_ = 0;
  }

  // The next rectangle of the frame in `mode`. Returns false when there is none; an empty
  // rectangle (returned true) asks only for the palette to be shown.
  bool Next(const ChangeMap& map, uint32_t blocks_per_row, uint32_t block_rows, RectMode mode,
            bool new_palette, ChangeRect& out);

 private:
  enum class State { kIdle, kFirst, kRunning, kFinished };
  struct Span {
    uint64_t left, right, top;  // pixel columns [left, right) of the band starting at row top
  };

  bool NextSpan(const ChangeMap& map, Span& span);
  bool Merge(const ChangeMap& map, Span first, RectMode mode, ChangeRect& out);

  State state_ = State::kIdle;
  uint64_t position_ = 0;  // linear pixel position of the walk along the bands
  uint64_t width_ = 0, end_ = 0;
  Span pending_{};
};

}  // namespace kinet
