// Still pictures in the formats the tools read and write: BMP, GIF, JPEG, PCX, TGA, TIFF and
// PNG. An 8-bit picture keeps its palette and its indices exactly through every format that
// can hold them (all but JPEG); high-colour pictures are delivered as they are stored, for the
// colour work that turns them into 8-bit frames. Nothing here throws.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files/file_system.h"

namespace kinet::platform {

enum class ImageFormat : uint8_t { kBmp, kGif, kTiff, kPcx, kTga, kJpeg, kPng };

// Pictures larger than this in either direction, or with more pixels than kMaxImagePixels,
// are refused on read: no outside file makes a reader allocate without bound.
inline constexpr uint32_t kMaxImageSide = 32768;
inline constexpr uint64_t kMaxImagePixels = uint64_t{1} << 26;

// True when a picture of these sides is within the limits (and not empty).
bool ImageSidesAllowed(uint64_t width, uint64_t height);

// One picture. Rows run top to bottom without padding, width x bits / 8 bytes each.
// Pixel layouts by depth:
//   8  palette index; `palette` holds 256 x (red, green, blue), 0-255 each
//   16 little-endian word, 5 bits each: red in bits 10-14, green 5-9, blue 0-4
//   24 red, green, blue bytes
//   32 red, green, blue, alpha bytes (alpha 255 where the file has none)
struct Image {
  uint32_t width = 0, height = 0;
  uint32_t bits = 8;
  std::vector<uint8_t> pixels;
  std::array<uint8_t, 768> palette{};

  uint32_t BytesPerPixel() const { return bits / 8; }
  size_t RowBytes() const { return size_t{width} * BytesPerPixel(); }
  // Sizes `pixels` for the current width, height and bits (zeroed). False when the sizes are
  // not a picture this module handles (depth, zero or too large sides); nothing is allocated
  // then.
  [[nodiscard]] bool Allocate();
};

// Decodes a whole file held in memory. Nothing when the bytes are not a picture of that
// format, are malformed or truncated, or are larger than the limits above.
std::optional<Image> DecodeImage(ImageFormat format, std::span<const uint8_t> bytes);

// Encodes `image` into the bytes of a file. An 8-bit picture is stored with its palette and
// indices (JPEG stores its colours); 16/24/32-bit pictures are stored as colour where the
// format allows (BMP, TGA, TIFF, PNG, JPEG) and refused by GIF and PCX. False on refusal.
[[nodiscard]] bool EncodeImage(ImageFormat format, const Image& image, std::vector<uint8_t>& out);

// Reads and decodes a file of `files`. Nothing when it cannot be read or decoded.
std::optional<Image> ReadImageFile(FileSystem& files, ImageFormat format, const std::string& path);

// Encodes and writes a file of `files` that replaces `path` only when complete. False on
// failure; any earlier file of that name is then untouched. `sweep` as for
// SafeOutputFile::Create: a writer of many pictures into one folder sweeps with its first.
[[nodiscard]] bool WriteImageFile(FileSystem& files, ImageFormat format, const std::string& path,
                                  const Image& image, bool sweep = true);

// The format an extension names (".bmp", ".gif", ".tif" or ".tiff", ".pcx", ".tga", ".jpg"
// or ".jpeg", ".png"; any case, with the dot), or nothing.
std::optional<ImageFormat> FormatFromExtension(std::string_view extension);
// The format's usual extension in lower case, with the dot.
std::string_view DefaultExtension(ImageFormat format);

}  // namespace kinet::platform
