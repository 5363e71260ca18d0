// Writes small AVI files for tests: one video stream in a chosen form, optionally palette
// changes and a PCM audio stream, chunks interleaved in a "movi" list, and an index chunk.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kinet::testing {

struct AviVideo {
  uint32_t width = 0, height = 0;
  uint32_t bits = 8;         // 8, 16, 24 or 32 as stored
  uint32_t compression = 0;  // 0 uncompressed, 1 RLE8, or the "MJPG" code
  uint32_t scale = 1, rate = 15;
  std::vector<uint8_t> palette;  // 256 x (red, green, blue) for 8-bit video
  // Each frame's chunk data exactly as stored; an entry that starts with the bytes "PC" is
  // written as a palette-change chunk (the rest of it being the change record).
  std::vector<std::vector<uint8_t>> chunks;
};

struct AviAudio {
  uint16_t channels = 1, bits = 8;
  uint32_t sample_rate = 11025;
  std::vector<uint8_t> bytes;  // split over one chunk per video frame
};

std::vector<uint8_t> MakeAvi(const AviVideo& video, const AviAudio* audio);

// Bottom-up rows of `bits` padded to four bytes from top-down pixels of bits / 8 bytes each.
std::vector<uint8_t> DibRows(const std::vector<uint8_t>& pixels, uint32_t width, uint32_t height,
                             uint32_t bits);

}  // namespace kinet::testing
