// A generated tune for the sample animation: a note at every bounce of the ball.
#pragma once

#include <cstdint>
#include <vector>

namespace kinet::sample {

// 16-bit mono samples (little-endian bytes) at `rate`, `ms` milliseconds long.
std::vector<uint8_t> BounceTune(uint32_t rate, uint32_t ms);

}  // namespace kinet::sample
