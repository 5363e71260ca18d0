// Moving playback to another frame. Frames code only what changed since the frame before and
// the file marks none that stands alone, so a complete picture of frame n is had only by
// decoding every frame before it: from the frame shown when n lies ahead, else from frame 1.
#pragma once

#include <cstdint>
#include <string>

#include "kinet/kinet.h"
#include "platform/display/display.h"

namespace kinet::player {

// The pace that seconds are counted in: the handle's frame period in 10-microsecond units, or
// for an unpaced handle the file's own frame rate (10 frames a second when it has none).
uint32_t SecondsPeriod(uint32_t handle_period, int32_t file_frame_rate);

// The frame (from 1) that `input`'s seek key asks for when frame `shown` of `frames` is shown;
// `shown` when it asks for none. Always within 1..frames.
uint32_t SeekTarget(const platform::DisplayInput& input, uint32_t shown, uint32_t frames,
                    uint32_t period);

// Positions `h`, whose destination holds the complete picture of frame `shown` (0: of none
// yet), so that its next KinetDoFrame gives the complete picture of frame `target` (from 1). The frames
// between are decoded into the destination without being shown; the caller turns the sound
// off first, so that their sound is not fed and no frame is skipped as late.
void DecodeUpTo(KinetHandle* h, uint32_t shown, uint32_t target);

// "Frame 12 of 250, 0:01.1 of 0:25.0": the read-out of frame `frame` (from 1).
std::string ReadOut(uint32_t frame, uint32_t frames, uint32_t period);

}  // namespace kinet::player
