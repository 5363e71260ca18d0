// Animated GIF files made by the tests with giflib: pictures with their places, delays,
// transparency, disposal and colour tables.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kinet::testing {

struct GifPicture {
  uint32_t left = 0, top = 0, width = 0, height = 0;
  std::vector<uint8_t> pixels;  // width x height indices
  uint32_t delay_cs = 10;       // hundredths of a second
  int transparent = -1;         // the transparent index, or -1
  int disposal = 1;             // 1 keep, 2 clear to the background, 3 put back
  std::optional<std::array<uint8_t, 768>> local_palette;
};

// Writes a GIF89a file with a 256-entry global table and background index 0. False on
// failure.
bool WriteAnimatedGif(const std::string& path, uint32_t width, uint32_t height,
                      const std::array<uint8_t, 768>& palette,
                      const std::vector<GifPicture>& pictures);

}  // namespace kinet::testing
