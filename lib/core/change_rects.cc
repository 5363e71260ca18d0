#include "lib/core/change_rects.h"

#include <algorithm>

namespace kinet {

namespace {

constexpr uint64_t kGroupPixels = 64;

uint64_t Area(uint64_t left, uint64_t right, uint64_t top, uint64_t bottom) {
  return (right - left) * (bottom - top);
}

}  // namespace

bool ChangeRectIterator::NextSpan(const ChangeMap& map, Span& span) {
  const auto& groups = map.groups();
  auto changed = [&](uint64_t pos) { return groups[pos / kGroupPixels] != 0; };
  while (position_ < end_ && !changed(position_))
    position_ = (position_ / kGroupPixels + 1) * kGroupPixels;
  if (position_ >= end_) return false;
  const uint64_t band = position_ / width_;
  const uint64_t band_end = std::min(end_, (band + 1) * width_);
  uint64_t stop = position_;
  while (stop < band_end && changed(stop)) stop = (stop / kGroupPixels + 1) * kGroupPixels;
  stop = std::min(stop, band_end);
  span = {position_ - band * width_, stop - band * width_, band * 4};
  position_ = stop;
  return true;
}

bool ChangeRectIterator::Next(const ChangeMap& map, uint32_t blocks_per_row,
                              uint32_t block_rows, RectMode mode, bool new_palette,
                              ChangeRect& out) {
  if (mode == RectMode::kNone || state_ == State::kIdle) return false;
  if (state_ == State::kFinished) {
    state_ = State::kIdle;
    out = {};
    return mode == RectMode::kMergedWithEnd;
  }
  Span first;
  if (state_ == State::kFirst) {
    width_ = uint64_t{blocks_per_row} * 4;
    end_ = width_ * block_rows;
    if (!NextSpan(map, first)) {
      state_ = State::kIdle;
      out = {};
      return new_palette;
    }
  } else {
    first = pending_;
  }
  return Merge(map, first, mode, out);
}

bool ChangeRectIterator::Merge(const ChangeMap& map, Span first, RectMode mode,
                               ChangeRect& out) {
  uint64_t left = first.left, right = first.right, top = first.top, bottom = first.top + 4;
  uint64_t budget = Area(left, right, top, bottom) * 5 / 4;
  state_ = State::kFinished;
  Span span;
  while (NextSpan(map, span)) {
    const uint64_t l = std::min(left, span.left), r = std::max(right, span.right);
    const uint64_t b = span.top + 4;
    if (mode != RectMode::kBounding) {
      budget += Area(span.left, span.right, span.top, b) * 5 / 4;
      if (budget < Area(l, r, top, b)) {
        pending_ = span;
        state_ = State::kRunning;
        break;
      }
    }
    left = l;
    right = r;
    bottom = b;
  }
  out = {static_cast<uint32_t>(left), static_cast<uint32_t>(top),
         static_cast<uint32_t>(right - left), static_cast<uint32_t>(bottom - top)};
  return true;
}

}  // namespace kinet
