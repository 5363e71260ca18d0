// The per-format codecs behind image.h. Each decoder returns nothing for bytes that are not a
// well-formed picture of its format; each encoder returns false for a picture it cannot hold.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/images/image.h"

namespace kinet::platform::codecs {

std::optional<Image> DecodeBmp(std::span<const uint8_t> bytes);
bool EncodeBmp(const Image& image, std::vector<uint8_t>& out);
std::optional<Image> DecodePcx(std::span<const uint8_t> bytes);
bool EncodePcx(const Image& image, std::vector<uint8_t>& out);
std::optional<Image> DecodeTga(std::span<const uint8_t> bytes);
bool EncodeTga(const Image& image, std::vector<uint8_t>& out);
std::optional<Image> DecodeGif(std::span<const uint8_t> bytes);
bool EncodeGif(const Image& image, std::vector<uint8_t>& out);
std::optional<Image> DecodeJpeg(std::span<const uint8_t> bytes);
bool EncodeJpeg(const Image& image, std::vector<uint8_t>& out);
std::optional<Image> DecodeTiff(std::span<const uint8_t> bytes);
bool EncodeTiff(const Image& image, std::vector<uint8_t>& out);
std::optional<Image> DecodePng(std::span<const uint8_t> bytes);
bool EncodePng(const Image& image, std::vector<uint8_t>& out);

// Device-independent pixels as BMP files and AVI frames store them, applied onto `image`
// (already sized: 8-bit for 1/4/8-bit data, else 16/24/32-bit as `bits`): uncompressed rows
// padded to four bytes, or RLE8 (compression 1), whose runs leave pixels they skip untouched
// (AVI frames build on the frame before). False for data that is cut short.
bool DecodeDibPixels(std::span<const uint8_t> data, uint32_t bits, uint32_t compression,
                     bool bottom_up, Image& image);

// The picture as 24-bit red, green, blue rows (8-bit through its palette, 16-bit widened,
// 32-bit without alpha); for the formats that store only colour.
std::vector<uint8_t> ToRgb(const Image& image);

}  // namespace kinet::platform::codecs
