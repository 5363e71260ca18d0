// A generated sample animation: a ball bouncing over a sky gradient with drifting stripes,
// and a palette that shifts colour part of the way through.
#pragma once

#include <cstdint>
#include <vector>

#include "compressor/animation_writer.h"

namespace kinet::sample {

std::vector<encoder::AnimationFrame> BouncingBall(uint32_t width, uint32_t height, uint32_t frames);

}  // namespace kinet::sample
