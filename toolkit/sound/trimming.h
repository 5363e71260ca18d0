// Start and end trimming: values from the command line (milliseconds, or frame numbers where
// the input has frames) turned into times, and times into the stretch of the sound to deliver.
#pragma once

#include <cstdint>
#include <optional>

#include "toolkit/sound/sound_format.h"

namespace kinet::toolkit {

struct TimeRange {
  uint64_t start = 0, end = 0;  // ticks
};

// A value -n becomes a frame time when `frame_ticks` is known: the start of frame n, (n - 1) x
// the period, for the start; the end of frame n, n x the period, for the end. With
// `values_count_frames` (the per-line values of a wave list) a positive n counts frames too.
// Every other value counts milliseconds by its magnitude.
TimeRange ResolveTimes(int32_t start, int32_t end, std::optional<uint32_t> frame_ticks,
                       bool values_count_frames);

struct ByteRange {
  uint64_t offset = 0, length = 0;  // bytes of the sound
};

// The part of a sound of `length` bytes in `format` that lies between the times: unchanged
// when both are 0 or when the start lies at or beyond the end of the sound; else from the
// start (rounded down to a whole frame) and, when the end is not below the start, cut to the
// end. Whole frames throughout.
ByteRange TrimBytes(uint64_t length, const SoundFormat& format, TimeRange range);

}  // namespace kinet::toolkit
