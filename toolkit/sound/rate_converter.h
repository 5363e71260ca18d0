// Rate conversion of sample frames held as signed 16-bit values: a box filter when the output
// rate is lower (every output frame is the average of the input frames that fall into it),
// linear interpolation in fixed point with 10 fraction bits when it is higher.
#pragma once

#include <cstdint>

namespace kinet::toolkit {

struct StereoValue {
  int32_t left = 0, right = 0;
};

class RateConverter {
 public:
  // Both rates 1..kMaxSoundRate.
  RateConverter(uint32_t input_rate, uint32_t output_rate)
      : in_rate_(input_rate), out_rate_(output_rate) {}

  // Back to the state before the first frame.
  void Reset() { *this = RateConverter(in_rate_, out_rate_); }

  // The next output frame from input frames taken with `supply(StereoValue&)`, which returns
  // false when the input is exhausted. False when no output frame is left.
  template <typename Supply>
  bool Next(Supply&& supply, StereoValue& out) {
    bool made;
    if (out_rate_ == in_rate_) {
      made = supply(out);
    } else if (out_rate_ < in_rate_) {
      made = Average(supply, out);
    } else {
      made = Interpolate(supply, out);
    }
    if (made) ++out_count_;
    // Both counters drop by one second of frames together, which keeps every due position and
    // keeps the products out_rate x in_count small however long the sound.
    if (in_count_ >= in_rate_ && out_count_ >= out_rate_) {
      in_count_ -= in_rate_;
      out_count_ -= out_rate_;
    }
    return made;
  }

 private:
  static constexpr int kFractionBits = 10;

  // The output frame at which input frame `n` falls due.
  uint64_t Due(uint64_t n) const { return uint64_t{out_rate_} * n / in_rate_; }

  // Takes input frames until the output count is reached.
  template <typename Supply>
  bool Average(Supply& supply, StereoValue& out) {
    int64_t left = 0, right = 0, taken = 0;
    StereoValue v;
    while (Due(in_count_) < out_count_ + 1 && supply(v)) {
      left += v.left, right += v.right;
      ++taken, ++in_count_;
    }
    if (taken == 0) return false;
    out = {static_cast<int32_t>(left / taken), static_cast<int32_t>(right / taken)};
    return true;
  }

  // `pending_` is input frame number in_count_, read ahead; between two input frames the
  // accumulators step from the one to the other.
  template <typename Supply>
  bool Interpolate(Supply& supply, StereoValue& out) {
    if (!primed_) {
      primed_ = true;
      has_pending_ = supply(pending_);
    }
    if (!has_pending_) return false;
    if (out_count_ < Due(in_count_)) {
      acc_left_ += step_left_, acc_right_ += step_right_;
      out = {acc_left_ / (1 << kFractionBits), acc_right_ / (1 << kFractionBits)};
      return true;
    }
    out = pending_;
    acc_left_ = pending_.left * (1 << kFractionBits);
    acc_right_ = pending_.right * (1 << kFractionBits);
    ++in_count_;
    StereoValue next;
    has_pending_ = supply(next);
    if (has_pending_) {
      const auto n = static_cast<int32_t>(Due(in_count_) - out_count_);
      step_left_ = (next.left - pending_.left) * (1 << kFractionBits) / n;
      step_right_ = (next.right - pending_.right) * (1 << kFractionBits) / n;
      pending_ = next;
    }
    return true;
  }

  uint32_t in_rate_, out_rate_;
  uint64_t out_count_ = 0, in_count_ = 0;
  bool primed_ = false, has_pending_ = false;
  StereoValue pending_;
  int32_t acc_left_ = 0, acc_right_ = 0, step_left_ = 0, step_right_ = 0;
};

}  // namespace kinet::toolkit
