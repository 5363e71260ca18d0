#include "compressor/rate_control.h"

#include <array>
#include <cstddef>

namespace kinet::encoder {

namespace {

constexpr std::array<uint32_t, 101> kThresholds = {
    1,     9,     17,    25,    33,    42,    50,    58,     66,     75,    83,    91,    100,
    108,   117,   125,   134,   143,   152,   161,   170,    179,    188,   198,   208,   218,
    228,   238,   249,   260,   272,   284,   296,   309,    323,    337,   353,   369,   386,
    404,   424,   445,   468,   492,   519,   548,   580,    615,    653,   695,   741,   792,
    848,   911,   980,   1057,  1143,  1239,  1346,  1465,   1598,   1747,  1914,  2101,  2310,
    2545,  2808,  3104,  3435,  3808,  4227,  4697,  5226,   5820,   6488,  7240,  8085,  9036,
    10106, 11309, 12663, 14188, 15903, 17834, 20007, 22453,  25206,  28306, 31796, 35724, 40147,
    45127, 50734, 57046, 64154, 72157, 81168, 91314, 102739, 115604, 130089};

}  // namespace

bool IsValidRateCode(int32_t code) {
  return code >= 1000 || (code >= 0 && code <= 100) || (code <= -1 && code >= -200) ||
         (code <= -401 && code >= -600);
}

int32_t PercentOfSizeRate(int32_t code, uint64_t source_bytes, uint32_t frame_count,
                          uint32_t period) {
  if (code > -1 || code < -200 || frame_count == 0 || period == 0) return code;
  const uint64_t per_frame = source_bytes * 100 / frame_count;
  const uint64_t rate = per_frame * (uint64_t(-code) * (10000000 / period)) / 1000000;
  return rate > uint64_t{INT32_MAX} ? INT32_MAX : static_cast<int32_t>(rate);
}

uint32_t QualityThreshold(int32_t code) {
  return code >= 0 && code <= 100 ? kThresholds[static_cast<size_t>(code)] : kThresholds[0];
}

uint64_t FrameBytes(int32_t code, uint64_t frame_bytes, uint32_t period) {
  uint64_t rate = code > 0 ? uint64_t(code) : 0;
  if (code <= -400 && period > 0)
    rate = frame_bytes * 100000 / period * uint64_t(-(int64_t{code} + 400)) / 100;
  return rate * period / 100000;
}

void UnitPrice::Learn(double bytes, uint64_t units) {
  if (units == 0) return;
  // Half the weight stays with the frames before: one odd frame moves the price, but only so
  // far.
  bytes_ = bytes_ / 2 + bytes;
  units_ = units_ / 2 + double(units);
}

uint64_t UnitPrice::Budget(double bytes, double price) {
  return bytes > 0 ? static_cast<uint64_t>(bytes / price) : 0;
}

}  // namespace kinet::encoder
