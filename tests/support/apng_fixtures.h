// Animated PNG files made by the tests: frames encoded by the PNG codec and put together with
// the animation's control chunks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/images/image.h"

namespace kinet::testing {

struct ApngFrame {
  platform::Image picture;  // 24- or 32-bit, the same for every frame (one header serves all)
  uint32_t left = 0, top = 0;
  uint16_t delay_numerator = 1, delay_denominator = 10;
  uint8_t dispose = 0, blend = 0;  // dispose 0 none, 1 background, 2 previous; blend 1 over
};

// Writes an animated PNG of `width` x `height`; the first frame is also the still picture and
// must cover the screen. False on failure.
bool WriteAnimatedPng(const std::string& path, uint32_t width, uint32_t height,
                      const std::vector<ApngFrame>& frames);

}  // namespace kinet::testing
