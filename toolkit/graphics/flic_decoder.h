// Decoding of one flic frame's sub-chunks onto the picture and palette of the frame before.
// The reader of what flic_encoder.h writes.
#pragma once

#include <cstdint>
#include <span>

#include "platform/images/image.h"

namespace kinet::toolkit::flic {

// Applies the sub-chunks in `body` (a frame chunk after its 16-byte header; `chunk_count`
// from that header) to `picture`, an 8-bit picture of the flic's size. COLOR_256, COLOR_64,
// DELTA_FLC, DELTA_FLI, BLACK, BYTE_RUN and FLI_COPY are applied; other sub-chunks are
// skipped. Returns false for a malformed frame (a chunk that overruns the frame, or data that
// overruns its chunk); nothing outside the picture is ever written.
[[nodiscard]] bool DecodeFrame(std::span<const uint8_t> body, uint32_t chunk_count,
                               platform::Image& picture);

}  // namespace kinet::toolkit::flic
