// The search for the threshold whose estimated cost fits a frame's budget (rate_control.h's
// estimate). A frame at a data rate is searched up to three times with different budgets, each
// search reading the cost at some 23 thresholds. The frame's blocks are read once into a list
// in which blocks whose kind cannot change over a range of thresholds are merged with the runs
// around them, and such a run between two others is counted once and left out; the thresholds
// above where most blocks have settled, and the ranges a search narrows to, get shorter lists
// of their own, and every cost read is kept for the frame's later searches. The costs and
// choices are those of reading every block at every threshold.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "compressor/rate_control.h"

namespace kinet::encoder {

// The estimate's cost of every block by the first kind within a threshold, for thresholds in
// the range the curve was made for.
class CostCurve {
 public:
  // All thresholds 0..kHighestThreshold, from the frame's errors.
  void Start(const BlockErrors& errors);
  // Thresholds lo..hi of a curve whose range holds them.
  void Narrow(const CostCurve& wider, uint32_t lo, uint32_t hi);
  bool Holds(uint32_t lo, uint32_t hi) const { return lo >= lo_ && hi <= hi_; }
  uint32_t Width() const { return hi_ - lo_; }
  size_t Length() const { return entries_.size(); }
  // The cost at `threshold`, which must lie in the curve's range.
  uint64_t CostAt(uint32_t threshold) const;
  // The threshold of the range with the same cost as `threshold` that is reached first from
  // either end: the range's low end below the first change of a block, the last change above
  // the last one.
  uint32_t SameCostAs(uint32_t threshold) const;
  // The lowest power of two from which on all but 1 / share of the blocks that change in the
  // range have their last rank (UINT32_MAX: none).
  uint32_t SettledFrom(uint32_t share) const;

 private:
  // A run of `count` blocks of one rank throughout the range, or one block (count 1) whose
  // rank changes in it. A block's rank at a threshold t, 0 full, 1 two-colour, 2 fill, 3 skip,
  // is how many of `from` it has reached (t >= from[i]). `starts`: runs left out lie before it,
  // and it never continues the run of the entry before.
  struct Entry {
    uint32_t from[3];
    uint32_t count;
    uint8_t colour;
    bool fixed, starts;
  };
  static uint32_t RankAt(const Entry& e, uint32_t threshold);
  void Append(uint32_t rank, uint8_t colour, uint32_t count, bool starts);
  void Changing(const uint32_t (&from)[3], uint8_t colour, bool starts, uint32_t lo, uint32_t hi);

  std::vector<Entry> entries_;
  uint64_t constant_ = 0;  // the cost of the runs left out
  uint32_t lo_ = 0, hi_ = 0, first_change_ = 0, last_change_ = 0;
  std::array<uint32_t, 33> last_changes_{};  // blocks by the bit width of their last change
  uint32_t changing_ = 0;
};

// The costliest threshold that fits the budget (the lowest of equal cost), or, when none fits,
// the cheapest, by binary search over 0..kHighestThreshold. The costs a frame's searches read
// are kept for its later ones.
class ThresholdSearch {
 public:
  // A new frame's errors.
  void Start(const BlockErrors& errors);
  ThresholdChoice Choose(uint64_t budget);

 private:
  bool Known(uint32_t threshold, uint64_t* cost) const;
  // The shortest curve to read `threshold` from while lo..hi is in question.
  const CostCurve& CurveFor(uint32_t threshold, uint32_t lo, uint32_t hi);
  // The cost at `threshold` in lo..hi, the range still in question.
  uint64_t CostAt(uint32_t threshold, uint32_t lo, uint32_t hi);

  // The whole range first, then ever narrower ones within it, depth_ of them in use.
  std::vector<CostCurve> chain_;
  size_t depth_ = 0;
  // Thresholds from upper_from_[i] up, ever fewer blocks changing, uppers_ of them in use.
  std::array<CostCurve, 3> upper_;
  std::array<uint32_t, 3> upper_from_{};
  size_t uppers_ = 0;
  std::vector<std::pair<uint32_t, uint64_t>> known_;  // threshold, cost
};

// The cost at one threshold (costs little only once: a search uses ThresholdSearch).
uint64_t EstimateCost(const BlockErrors& errors, uint32_t threshold);

// One search of a frame's errors.
ThresholdChoice SearchThreshold(const BlockErrors& errors, uint64_t budget);

}  // namespace kinet::encoder
