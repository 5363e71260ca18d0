// kntthumb's work: the command line the desktop's thumbnailer entry gives it, and a picture of
// one frame of a video file, scaled down to fit the size asked and written as a PNG.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files/file_system.h"
#include "platform/images/image.h"

namespace kinet::thumb {

extern const std::string_view kUsage;

struct ThumbSettings {
  uint32_t size = 128;   // -s: the longer side at most, 1 to 4096 pixels
  uint32_t frame = 1;    // -f: counted from 1; past the last frame, the last
  std::string input, output;
};

// "-s 256" and "-s256" alike (the thumbnailer entry passes "-s %s"). Nothing for anything
// else than the switches, one input and one output.
std::optional<ThumbSettings> ReadThumbSettings(std::span<const std::string> words);

struct Sides {
  uint32_t width, height;
};
// The thumbnail's sides: the picture's aspect kept, the longer side `size`, at least 1 pixel
// each; a picture that fits already keeps its sides (thumbnails are never enlarged).
Sides ThumbSides(uint32_t width, uint32_t height, uint32_t size);

// The 8-bit picture (width x height indices into 256 x red, green, blue) as a 24-bit picture
// of `to`, each pixel the average colour of the source pixels it covers.
platform::Image ScalePicture(const std::vector<uint8_t>& pixels, uint32_t width, uint32_t height,
                             const std::array<uint8_t, 768>& palette, Sides to);

// Decodes frames 1 to settings.frame of settings.input and writes the thumbnail of the last
// one to settings.output, which is replaced only when complete. Returns "" on success, else
// the message for the error stream.
std::string MakeThumbnail(platform::FileSystem& files, const ThumbSettings& settings);

}  // namespace kinet::thumb
