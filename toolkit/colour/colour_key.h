// Colour keys and the shared vocabulary of the colour work: a colour key is an 18-bit number
// that keeps the top 6 bits of red (bits 12-17), green (bits 6-11) and blue (bits 0-5). The
// histogram, the split search and the mapping caches are all indexed by it.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string_view>

namespace kinet::toolkit {

// 256 entries of red, green, blue, 0-255 each.
using Palette = std::array<uint8_t, 768>;

inline constexpr uint32_t kKeyCount = 1u << 18;

constexpr uint32_t KeyOf(uint32_t red, uint32_t green, uint32_t blue) {
  return (red >> 2) << 12 | (green >> 2) << 6 | blue >> 2;
}
constexpr uint32_t KeyRed(uint32_t key) { return key >> 12; }
constexpr uint32_t KeyGreen(uint32_t key) { return (key >> 6) & 63; }
constexpr uint32_t KeyBlue(uint32_t key) { return key & 63; }

// Progress texts of the colour work; returns true when the user wants to cancel.
using ColourProgress = std::function<bool(std::string_view text)>;

// The part of a picture that becomes the frame, in picture pixels. It may reach past the
// picture's edges; the pixels there pad the frame and count as black (colour key 0).
struct FrameWindow {
  int32_t x = 0, y = 0;
  uint32_t width = 0, height = 0;
};

}  // namespace kinet::toolkit
