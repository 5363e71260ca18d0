#include <algorithm>
#include <cctype>
#include <string>

#include "codecs.h"
#include "file_io/input_file.h"
#include "file_io/output_file.h"
#include "image.h"

namespace kinet::platform {

bool Image::Allocate() {
  if ((bits != 8 && bits != 16 && bits != 24 && bits != 32) ||
      !codecs::SidesAllowed(width, height)) {
    return false;
  }
  pixels.assign(RowBytes() * height, 0);
  return true;
}

namespace codecs {

bool SidesAllowed(uint64_t width, uint64_t height) {
  return width > 0 && height > 0 && width <= kMaxImageSide && height <= kMaxImageSide &&
         width * height <= kMaxImagePixels;
}

std::vector<uint8_t> ToRgb(const Image& image) {
  const size_t count = size_t{image.width} * image.height;
  std::vector<uint8_t> rgb(count * 3);
  const uint8_t* in = image.pixels.data();
  uint8_t* out = rgb.data();
  for (size_t i = 0; i < count; ++i, out += 3) {
    switch (image.bits) {
      case 8:
        std::copy_n(&image.palette[size_t{in[i]} * 3], 3, out);
        break;
      case 16: {
        const uint32_t v = in[2 * i] | in[2 * i + 1] << 8;
        for (int c = 0; c < 3; ++c) {
          const uint32_t five = (v >> (10 - 5 * c)) & 31;
          out[c] = static_cast<uint8_t>(five << 3 | five >> 2);
        }
        break;
      }
      default:
        std::copy_n(in + i * image.BytesPerPixel(), 3, out);
    }
  }
  return rgb;
}

}  // namespace codecs

std::optional<Image> DecodeImage(ImageFormat format, std::span<const uint8_t> bytes) {
  switch (format) {
    case ImageFormat::kBmp: return codecs::DecodeBmp(bytes);
    case ImageFormat::kGif: return codecs::DecodeGif(bytes);
    case ImageFormat::kTiff: return codecs::DecodeTiff(bytes);
    case ImageFormat::kPcx: return codecs::DecodePcx(bytes);
    case ImageFormat::kTga: return codecs::DecodeTga(bytes);
    case ImageFormat::kJpeg: return codecs::DecodeJpeg(bytes);
    case ImageFormat::kPng: return codecs::DecodePng(bytes);
  }
  return std::nullopt;
}

bool EncodeImage(ImageFormat format, const Image& image, std::vector<uint8_t>& out) {
  out.clear();
  if (image.pixels.size() != image.RowBytes() * image.height ||
      !codecs::SidesAllowed(image.width, image.height)) {
    return false;
  }
  switch (format) {
    case ImageFormat::kBmp: return codecs::EncodeBmp(image, out);
    case ImageFormat::kGif: return codecs::EncodeGif(image, out);
    case ImageFormat::kTiff: return codecs::EncodeTiff(image, out);
    case ImageFormat::kPcx: return codecs::EncodePcx(image, out);
    case ImageFormat::kTga: return codecs::EncodeTga(image, out);
    case ImageFormat::kJpeg: return codecs::EncodeJpeg(image, out);
    case ImageFormat::kPng: return codecs::EncodePng(image, out);
  }
  return false;
}

std::optional<Image> ReadImageFile(ImageFormat format, const std::string& path) {
  InputFile file;
  if (!file.Open(path.c_str())) return std::nullopt;
  const int64_t size = file.Size();
  // A picture file within the limits is far below this; anything larger is not read at all.
  if (size <= 0 || size > (int64_t{1} << 31)) return std::nullopt;
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  if (file.Read(bytes.data(), bytes.size()) != bytes.size()) return std::nullopt;
  return DecodeImage(format, bytes);
}

bool WriteImageFile(ImageFormat format, const std::string& path, const Image& image) {
  std::vector<uint8_t> bytes;
  if (!EncodeImage(format, image, bytes)) return false;
  SafeOutputFile file;
  return file.Create(path) && file.Write(bytes.data(), bytes.size()) && file.Commit();
}

std::optional<ImageFormat> FormatFromExtension(std::string_view extension) {
  std::string lower(extension);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (lower == ".bmp") return ImageFormat::kBmp;
  if (lower == ".gif") return ImageFormat::kGif;
  if (lower == ".tif" || lower == ".tiff") return ImageFormat::kTiff;
  if (lower == ".pcx") return ImageFormat::kPcx;
  if (lower == ".tga") return ImageFormat::kTga;
  if (lower == ".jpg" || lower == ".jpeg") return ImageFormat::kJpeg;
  if (lower == ".png") return ImageFormat::kPng;
  return std::nullopt;
}

std::string_view DefaultExtension(ImageFormat format) {
  switch (format) {
    case ImageFormat::kBmp: return ".bmp";
    case ImageFormat::kGif: return ".gif";
    case ImageFormat::kTiff: return ".tif";
    case ImageFormat::kPcx: return ".pcx";
    case ImageFormat::kTga: return ".tga";
    case ImageFormat::kJpeg: return ".jpg";
    case ImageFormat::kPng: return ".png";
  }
  return "";
}

}  // namespace kinet::platform
