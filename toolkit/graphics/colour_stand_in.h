// Turning a high-colour frame (16, 24 or 32 bits) into 8 bits until the palette quantizer
// takes this place: a fixed palette of 8 reds, 8 greens and 4 blues (3-3-2 bits), each pixel
// mapped by its top colour bits. Crude but exact to describe; the palette settings of the
// source are not consulted yet.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "images/image.h"

namespace kinet::toolkit {

// Writes the 8-bit pixels of `frame` (width x height) into `pixels` and the fixed palette
// into `palette`. An 8-bit frame is copied with its own palette.
void ReduceToEightBits(const platform::Image& frame, std::vector<uint8_t>& pixels,
                       std::array<uint8_t, 768>& palette);

}  // namespace kinet::toolkit
