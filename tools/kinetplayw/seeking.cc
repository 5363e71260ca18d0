#include "tools/kinetplayw/seeking.h"

#include <algorithm>
#include <cstdio>

namespace kinet::player {

namespace {

// m:ss.t of `ticks` 10-microsecond units.
std::string Time(uint64_t ticks) {
  const uint64_t tenths = ticks / 10000;
  char text[32];
  std::snprintf(text, sizeof text, "%llu:%02llu.%llu",
                static_cast<unsigned long long>(tenths / 600),
                static_cast<unsigned long long>(tenths / 10 % 60),
                static_cast<unsigned long long>(tenths % 10));
  return text;
}

}  // namespace

uint32_t SecondsPeriod(uint32_t handle_period, int32_t file_frame_rate) {
  if (handle_period) return handle_period;
  if (file_frame_rate > 0) return static_cast<uint32_t>(file_frame_rate) * 100;
  if (file_frame_rate < 0) return static_cast<uint32_t>(-int64_t{file_frame_rate});
  return 10000;
}

uint32_t SeekTarget(const platform::DisplayInput& input, uint32_t shown, uint32_t frames,
                    uint32_t period) {
  switch (input.seek) {
    case platform::DisplaySeek::kNone:
      return shown;
    case platform::DisplaySeek::kFirst:
      return 1;
    case platform::DisplaySeek::kLast:
      return frames;
    case platform::DisplaySeek::kSeconds:
      break;
  }
  const int64_t step = int64_t{input.seconds} * 100000 / std::max<uint32_t>(period, 1);
  return static_cast<uint32_t>(std::clamp<int64_t>(int64_t{shown} + step, 1, frames));
}

void DecodeUpTo(KinetHandle* h, uint32_t shown, uint32_t target) {
  if (shown == 0 || target <= shown) {
    KinetGoto(h, 1);
    shown = 1;
    if (target == 1) return;
    KinetDoFrame(h);
  }
  // The record after the one shown: with a ring frame shown (its picture is frame 1's), the
  // step wraps on to frame 2.
  KinetNextFrame(h);
  for (uint32_t f = shown + 1; f < target && !h->ReadError; ++f) {
    KinetDoFrame(h);
    KinetNextFrame(h);
  }
}

std::string ReadOut(uint32_t frame, uint32_t frames, uint32_t period) {
  return "Frame " + std::to_string(frame) + " of " + std::to_string(frames) + ", " +
         Time(uint64_t{frame - 1} * period) + " of " + Time(uint64_t{frames} * period);
}

}  // namespace kinet::player
