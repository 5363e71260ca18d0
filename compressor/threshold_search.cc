#include "compressor/threshold_search.h"

#include <algorithm>
#include <bit>

#include "compressor/block_codes.h"

namespace kinet::encoder {

namespace {

constexpr uint32_t kNever = UINT32_MAX;

// The estimate's costs by rank (block_codes.h's kinds 1, 0, 3, 2): of each chunk of a run
// itself, and of each of its blocks. A run of up to 59 blocks is one chunk.
constexpr uint64_t kChunkCost[4] = {ChunkCost(1, 0), ChunkCost(0, 0), ChunkCost(3, 0),
                                    ChunkCost(2, 0)};
constexpr uint64_t kBlockCost[4] = {ChunkCost(1, 1) - kChunkCost[0],
                                    ChunkCost(0, 1) - kChunkCost[1], 0, 0};

inline uint64_t RunCost(uint32_t rank, uint32_t n) {
  return ChunkCount(n) * kChunkCost[rank] + n * kBlockCost[rank];
}

// Blocks of a rank stay in one run while they have its key: fills only with one colour.
inline uint32_t KeyOf(uint32_t rank, uint8_t colour) {
  return rank | (uint32_t{rank == 2} * colour) << 2;
}

// A range narrows by half at each step of a search; shortening the curve costs about as much
// as reading it, and pays once the range is this much narrower.
constexpr uint32_t kNarrowing = 16;
// A search starts at the top of the range and halves its way down to where the frame's blocks
// change, most of them in a few low octaves and the rest spread far above: curves of the
// thresholds above where all but a quarter, a sixteenth and a 64th of them are settled read
// only the others.
constexpr uint32_t kUnsettledShare = 4;

}  // namespace

// As the threshold rises a block only moves up from full to two-colour, fill and skip (it
// takes the first within the threshold in the order skip, fill, two-colour), so a block of one
// rank at both ends of a range has it throughout.
inline uint32_t CostCurve::RankAt(const Entry& e, uint32_t t) {
  return uint32_t{t >= e.from[0]} + uint32_t{t >= e.from[1]} + uint32_t{t >= e.from[2]};
}

inline void CostCurve::Append(uint32_t rank, uint8_t colour, uint32_t count, bool starts) {
  if (rank != 2) colour = 0;
  const size_t n = entries_.size();
  if (n > 0 && !starts) {
    Entry& last = entries_.back();
    if (last.fixed && RankAt(last, 0) == rank && last.colour == colour) {
      last.count += count;
      return;
    }
  }
  // A fixed run between two others is a run of its own at every threshold of the range: its
  // cost is counted once, and the runs on either side of it never merge.
  if (n > 1 && entries_[n - 1].fixed && entries_[n - 2].fixed) {
    constant_ += RunCost(RankAt(entries_[n - 1], 0), entries_[n - 1].count);
    entries_.pop_back();
    starts = true;
  }
  // Written in place: an entry put together on the stack and copied is read back before its
  // parts are stored.
  Entry& e = entries_.emplace_back();
  for (uint32_t i = 0; i < 3; ++i) e.from[i] = i < rank ? 0 : kNever;
  e.count = count;
  e.colour = colour;
  e.fixed = true;
  e.starts = starts;
}

// A block whose rank changes within lo..hi: where it does, within the range, bounds the
// thresholds whose costs differ.
inline void CostCurve::Changing(const uint32_t (&from_of)[3], uint8_t colour, bool starts,
                                 uint32_t lo, uint32_t hi) {
  Entry& e = entries_.emplace_back();
  for (uint32_t i = 0; i < 3; ++i) e.from[i] = from_of[i];
  e.count = 1;
  e.colour = colour;
  e.starts = starts;
  // The changes within the range, in rising order: the first, and the last (lo for none).
  uint32_t first = kNever, last = lo;
  for (int i = 2; i >= 0; --i) {
    const bool within = from_of[i] > lo && from_of[i] <= hi;
    first = within ? from_of[i] : first;
    last = within && last == lo ? from_of[i] : last;
  }
  first_change_ = std::min(first_change_, first);
  last_change_ = std::max(last_change_, last);
  ++last_changes_[std::bit_width(last)];
  ++changing_;
}

uint32_t CostCurve::SettledFrom(uint32_t share) const {
  uint32_t settled = 0;
  for (uint32_t width = 0; width < last_changes_.size(); ++width) {
    settled += last_changes_[width];
    if (settled >= changing_ - changing_ / share) return width < 32 ? 1u << width : kNever;
  }
  return kNever;
}

uint32_t CostCurve::SameCostAs(uint32_t t) const {
  return t < first_change_ ? lo_ : std::min(t, last_change_);
}

void CostCurve::Start(const BlockErrors& e) {
  entries_.clear();
  constant_ = 0;
  hi_ = kHighestThreshold;
  last_changes_.fill(0);
  changing_ = 0;
  lo_ = 0;
  first_change_ = kNever;
  last_change_ = 0;
  entries_.reserve(e.count);
  for (uint32_t b = 0; b < e.count; ++b) {
    const uint32_t skip = e.skip[b], fill = std::min(e.fill[b], skip);
    const uint32_t from[3] = {std::min(e.two[b], fill), fill, skip};
    const uint32_t low = uint32_t{from[0] == 0} + uint32_t{from[1] == 0} + uint32_t{skip == 0};
    const uint32_t high = uint32_t{from[0] <= kHighestThreshold} +
                          uint32_t{from[1] <= kHighestThreshold} +
                          uint32_t{skip <= kHighestThreshold};
    if (low == high)
      Append(low, e.fill_colour[b], 1, false);
    else
      Changing(from, e.fill_colour[b], false, 0, kHighestThreshold);
  }
}

void CostCurve::Narrow(const CostCurve& wider, uint32_t lo, uint32_t hi) {
  entries_.clear();
  constant_ = wider.constant_;
  last_changes_.fill(0);
  changing_ = 0;
  lo_ = lo;
  hi_ = hi;
  first_change_ = kNever;
  last_change_ = lo;
  for (const Entry& e : wider.entries_) {
    const uint32_t low = RankAt(e, lo);
    if (e.fixed || low == RankAt(e, hi))
      Append(low, e.colour, e.count, e.starts);
    else
      Changing(e.from, e.colour, e.starts, lo, hi);
  }
}

// Runs end wherever the blocks happen to change: the loop does not branch on it, only on the
// end of a run long enough for a second chunk.
uint64_t CostCurve::CostAt(uint32_t t) const {
  uint64_t cost = constant_;
  uint32_t run_key = kNever, run_rank = 0, run = 0;
  for (const Entry& e : entries_) {
    const uint32_t rank = RankAt(e, t), key = KeyOf(rank, e.colour);
    const bool ends = key != run_key || e.starts;
    if (ends && run >= 60) cost += (ChunkCount(run) - 1) * kChunkCost[run_rank];
    cost += (kChunkCost[rank] & (uint64_t{0} - ends)) + kBlockCost[rank] * e.count;
    run = (ends ? 0 : run) + e.count;
    run_key = key;
    run_rank = rank;
  }
  return run >= 60 ? cost + (ChunkCount(run) - 1) * kChunkCost[run_rank] : cost;
}

void ThresholdSearch::Start(const BlockErrors& errors) {
  if (chain_.empty()) chain_.resize(1);
  chain_[0].Start(errors);
  depth_ = 1;
  uppers_ = 0;
  uint32_t share = 1;
  for (size_t level = 0; level < upper_.size(); ++level) {
    share *= kUnsettledShare;
    const uint32_t from = chain_[0].SettledFrom(share);
    if (from >= kHighestThreshold) break;
    if (uppers_ > 0 && from <= upper_from_[uppers_ - 1]) continue;
    upper_[uppers_].Narrow(uppers_ > 0 ? upper_[uppers_ - 1] : chain_[0], from, kHighestThreshold);
    upper_from_[uppers_++] = from;
  }
  known_.clear();
}

bool ThresholdSearch::Known(uint32_t t, uint64_t* cost) const {
  for (auto [threshold, known] : known_) {
    if (threshold != t) continue;
    *cost = known;
    return true;
  }
  return false;
}

// The searches of a frame follow one path until their budgets part: the curves narrowed along
// the path are kept while they hold the range in question. A cost is read from the shortest
// curve that holds its threshold, and a narrower curve is made from the shortest that holds the
// range.
const CostCurve& ThresholdSearch::CurveFor(uint32_t t, uint32_t lo, uint32_t hi) {
  while (depth_ > 1 && !chain_[depth_ - 1].Holds(lo, hi)) --depth_;
  if (chain_.size() == depth_) chain_.emplace_back();
  const CostCurve* source = &chain_[depth_ - 1];
  const CostCurve* read = source;
  for (size_t i = 0; i < uppers_; ++i) {
    const CostCurve& upper = upper_[i];
    if (upper.Holds(lo, hi) && upper.Length() < source->Length()) source = &upper;
    if (upper.Holds(t, t) && upper.Length() < read->Length()) read = &upper;
  }
  if (lo > 0 && hi - lo < source->Width() / kNarrowing) {
    chain_[depth_].Narrow(*source, lo, hi);
    return chain_[depth_++];
  }
  return *read;
}

uint64_t ThresholdSearch::CostAt(uint32_t t, uint32_t lo, uint32_t hi) {
  uint64_t cost = 0;
  if (Known(t, &cost)) return cost;
  const CostCurve& curve = CurveFor(t, lo, hi);
  const uint32_t same = curve.SameCostAs(t);
  if (same == t || !Known(same, &cost)) {
    cost = curve.CostAt(same);
    known_.emplace_back(same, cost);
  }
  if (same != t) known_.emplace_back(t, cost);
  return cost;
}

ThresholdChoice ThresholdSearch::Choose(uint64_t budget) {
  int64_t lo = 0, hi = kHighestThreshold;
  bool have = false, fits = false;
  uint64_t best_cost = 0;
  uint32_t best = kHighestThreshold;
  while (lo <= hi) {
    const uint32_t mid = static_cast<uint32_t>((lo + hi + 1) / 2);
    const uint64_t cost = CostAt(mid, static_cast<uint32_t>(lo), static_cast<uint32_t>(hi));
    const bool mid_fits = cost <= budget;
    // A fitting threshold beats any that does not; among fitting ones the costliest (at equal
    // cost the lower, which is found later); among the others the cheapest.
    if (!have || (mid_fits && !fits) || (mid_fits && cost >= best_cost) ||
        (!mid_fits && !fits && cost < best_cost)) {
      have = true;
      fits = mid_fits;
      best_cost = cost;
      best = mid;
    }
    if (mid_fits)
      hi = int64_t{mid} - 1;
    else
      lo = int64_t{mid} + 1;
  }
  return {best, fits ? budget - best_cost : 0};
}

uint64_t EstimateCost(const BlockErrors& errors, uint32_t threshold) {
  CostCurve curve;
  curve.Start(errors);
  return curve.CostAt(threshold);
}

ThresholdChoice SearchThreshold(const BlockErrors& errors, uint64_t budget) {
  ThresholdSearch search;
  search.Start(errors);
  return search.Choose(budget);
}

}  // namespace kinet::encoder
