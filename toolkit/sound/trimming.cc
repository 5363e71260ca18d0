#include "toolkit/sound/trimming.h"

#include <algorithm>

namespace kinet::toolkit {
namespace {

uint64_t ResolveOne(int32_t value, std::optional<uint32_t> frame_ticks, bool counts_frames,
                    bool is_end) {
  const uint64_t n = static_cast<uint64_t>(value < 0 ? -int64_t{value} : int64_t{value});
  if (frame_ticks && (value < 0 || (counts_frames && value > 0))) {
    return (is_end ? n : n - 1) * *frame_ticks;
  }
  return n * kTicksPerMillisecond;
}

}  // namespace

TimeRange ResolveTimes(int32_t start, int32_t end, std::optional<uint32_t> frame_ticks,
                       bool values_count_frames) {
  return {ResolveOne(start, frame_ticks, values_count_frames, false),
          ResolveOne(end, frame_ticks, values_count_frames, true)};
}

ByteRange TrimBytes(uint64_t length, const SoundFormat& format, TimeRange range) {
  ByteRange out{0, length};
  if (range.start == 0 && range.end == 0) return out;
  const uint64_t frame = format.frame_bytes();
  const uint64_t per_second = format.bytes_per_second();
  const uint64_t start = BytesForTicks(range.start, per_second) / frame * frame;
  if (start >= length) return out;
  out.offset = start;
  out.length -= start;
  if (range.start <= range.end) {
    const uint64_t span = BytesForTicks(range.end - range.start, per_second) / frame * frame;
    out.length = std::min(out.length, span);
  }
  return out;
}

}  // namespace kinet::toolkit
