#include "compressor/video_cost_model.h"

#include <algorithm>
#include <cmath>

#include "compressor/rate_control.h"

namespace kinet::encoder {

VideoCostModel::VideoCostModel() {
  for (auto& c : counts_) c.assign(65536, 0);
  for (auto& c : frame_counts_) c.assign(65536, 0);
}

double VideoCostModel::Bits(const FrameCodes& frame, uint64_t* units) {
  std::array<uint64_t, 4> added{}, chunks{};  // chunks by kind
  touched_.clear();
  VideoTreeSet::ForEachSymbol(frame, [&](int tree, uint16_t v) {
    if (frame_counts_[tree][v]++ == 0) touched_.emplace_back(tree, v);
    ++added[tree];
    if (tree == VideoTreeSet::kBlockType) ++chunks[v & 3];
  });
  // A full block has eight symbols in its tree, a two-colour block one colour pair.
  *units = added[VideoTreeSet::kFull] / 8 * (ChunkCost(1, 1) - ChunkCost(1, 0)) +
           added[VideoTreeSet::kMonoColour] * (ChunkCost(0, 1) - ChunkCost(0, 0));
  for (uint32_t kind = 0; kind < 4; ++kind) *units += chunks[kind] * ChunkCost(kind, 0);
  std::array<double, 4> log_total{};
  for (int t = 0; t < 4; ++t) log_total[t] = std::log2(double(totals_[t] + added[t]));
  double bits = 0;
  for (auto [tree, v] : touched_) {
    uint32_t& n = frame_counts_[tree][v];
    const double length = log_total[tree] - std::log2(double(counts_[tree][v] + n));
    bits += n * std::max(length, 1.0);
    n = 0;
  }
  return bits;
}

void VideoCostModel::Add(const FrameCodes& frame) {
  VideoTreeSet::ForEachSymbol(frame, [&](int tree, uint16_t v) {
    ++counts_[tree][v];
    ++totals_[tree];
  });
}

}  // namespace kinet::encoder
