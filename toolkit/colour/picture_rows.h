// Reading the pixels of a frame window as red, green, blue bytes, whatever the picture's depth
// (8-bit through its palette, 16-bit 5-5-5, 24-bit, 32-bit with alpha), so that the histogram
// and the mapping see one form. Pixels of the window outside the picture are black.
#pragma once

#include <cstdint>

#include "platform/images/image.h"
#include "toolkit/colour/colour_key.h"

namespace kinet::toolkit {

// True when the picture has a depth read here (8, 16, 24, 32) and holds all its pixels.
bool PictureReadable(const platform::Image& picture);

// Writes window.width x 3 bytes for row `row` of the window into `rgb`.
void ReadWindowRow(const platform::Image& picture, const FrameWindow& window, uint32_t row,
                   uint8_t* rgb);

// The window row's pixels that lie inside the picture: [first, first + count) of the row.
struct RowSpan {
  uint32_t first = 0, count = 0;
};
RowSpan InsidePicture(const platform::Image& picture, const FrameWindow& window, uint32_t row);

}  // namespace kinet::toolkit
