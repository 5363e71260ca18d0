// How a frame's rate code becomes its error threshold: quality codes index a fixed table; data
// rates become a budget in cost units, and the threshold is searched for whose estimated cost
// fits that budget best (threshold_search.h).
//
// Rate codes: 1000 and up a data rate in bytes per second; 0..100 a quality; -1..-200 a
// percentage of the source's size (turned into a data rate once, PercentOfSizeRate); -401..-600
// a percentage of each source frame's own size.
#pragma once

#include <cstdint>
#include <limits>

namespace kinet::encoder {

// A frame without a hinted rate code or key flag.
inline constexpr int32_t kNoRateCode = std::numeric_limits<int32_t>::min();
inline constexpr uint32_t kHighestThreshold = 4194304;

// True for the codes the command line accepts: data rates, qualities, percentages of the
// source size and percentages of each frame's size. Codes in -301..-400 have no meaning and
// are refused like -201..-300.
bool IsValidRateCode(int32_t code);

// The data rate of a percentage-of-size code v (-1..-200): the source's bytes per frame x
// 100, times the frames per second (period P in 10-microsecond units), times -v, with every
// division truncating as it comes. Other codes are returned unchanged.
int32_t PercentOfSizeRate(int32_t code, uint64_t source_bytes, uint32_t frame_count,
                          uint32_t period);

// The threshold of a quality code 0..100.
uint32_t QualityThreshold(int32_t code);

// The bytes a frame may take at a data-rate or per-frame code: the rate's share of one frame
// period, rate x P / 100000. A per-frame code (-401..-600) first becomes a data rate from the
// frame's own source size.
uint64_t FrameBytes(int32_t code, uint64_t frame_bytes, uint32_t period);

// What a cost unit of the estimate costs in the file, in bytes: the budget of a frame is its
// bytes over this price. It starts at 203 / 300, what a budget of P x rate x 3 / 203000 units
// assumes, and then follows what the frames measured so far cost, the latest weighing most.
class UnitPrice {
 public:
  double bytes() const { return bytes_ / units_; }
  void Learn(double bytes, uint64_t units);
  // The budget in cost units for `bytes`, at `price` bytes per unit.
  static uint64_t Budget(double bytes, double price);

 private:
  double bytes_ = 203.0, units_ = 300.0;
};

// The per-block errors the estimate reads, block by block in raster order.
struct BlockErrors {
  const uint32_t* skip;
  const uint32_t* fill;
  const uint8_t* fill_colour;
  const uint32_t* two;
  uint32_t count;
};

// The estimate's cost of a chunk of `blocks` blocks of a kind (block_codes.h's KindOf): a skip
// chunk 1, a fill chunk 2, a two-colour chunk 1 + 4 per block, a full chunk 1 + 16 per block.
constexpr uint64_t ChunkCost(uint32_t kind, uint32_t blocks) {
  return kind == 2 ? 1 : kind == 3 ? 2 : 1 + uint64_t{blocks} * (kind == 0 ? 4 : 16);
}

struct ThresholdChoice {
  uint32_t threshold = 0;
  uint64_t leftover = 0;  // budget the chosen threshold leaves unspent
};

}  // namespace kinet::encoder
