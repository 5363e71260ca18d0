#include "compressor/video_cost_model.h"

#include <algorithm>
#include <cmath>

namespace kinet::encoder {

VideoCostModel::VideoCostModel() {
  for (auto& c : counts_) c.assign(65536, 0);
  for (auto& c : frame_counts_) c.assign(65536, 0);
}

double VideoCostModel::Bits(const FrameCodes& frame) {
  std::array<uint64_t, 4> added{};
  touched_.clear();
  VideoTreeSet::ForEachSymbol(frame, [&](int tree, uint16_t v) {
    if (frame_counts_[tree][v]++ == 0) touched_.emplace_back(tree, v);
    ++added[tree];
  });
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
