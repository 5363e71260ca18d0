#include <algorithm>
#include <cctype>
#include <string>

#include "platform/files/input_file.h"
#include "platform/files/output_file.h"
#include "platform/images/codecs.h"
#include "platform/images/image.h"

namespace kinet::platform {

bool Image::Allocate() {
  if ((bits != 8 && bits != 16 && bits != 24 && bits != 32) || !ImageSidesAllowed(width, height)) {
    return false;
  }
  pixels.assign(RowBytes() * height, 0);
  return true;
}

bool ImageSidesAllowed(uint64_t width, uint64_t height) {
  return width > 0 && height > 0 && width <= kMaxImageSide && height <= kMaxImageSide &&
         width * height <= kMaxImagePixels;
}

namespace codecs {

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
    case ImageFormat::kBmp:
      return codecs::DecodeBmp(bytes);
    case ImageFormat::kGif:
      return codecs::DecodeGif(bytes);
    case ImageFormat::kTiff:
      return codecs::DecodeTiff(bytes);
    case ImageFormat::kPcx:
      return codecs::DecodePcx(bytes);
    case ImageFormat::kTga:
      return codecs::DecodeTga(bytes);
    case ImageFormat::kJpeg:
      return codecs::DecodeJpeg(bytes);
    case ImageFormat::kPng:
      return codecs::DecodePng(bytes);
  }
  return std::nullopt;
}

bool EncodeImage(ImageFormat format, const Image& image, std::vector<uint8_t>& out) {
  out.clear();
  if (image.pixels.size() != image.RowBytes() * image.height ||
      !ImageSidesAllowed(image.width, image.height)) {
    return false;
  }
  switch (format) {
    case ImageFormat::kBmp:
      return codecs::EncodeBmp(image, out);
    case ImageFormat::kGif:
      return codecs::EncodeGif(image, out);
    case ImageFormat::kTiff:
      return codecs::EncodeTiff(image, out);
    case ImageFormat::kPcx:
      return codecs::EncodePcx(image, out);
    case ImageFormat::kTga:
      return codecs::EncodeTga(image, out);
    case ImageFormat::kJpeg:
      return codecs::EncodeJpeg(image, out);
    case ImageFormat::kPng:
      return codecs::EncodePng(image, out);
  }
  return false;
}

namespace {

// A look at the first bytes, so that a large file of another kind is never read whole.
bool MayBe(ImageFormat format, const uint8_t* head, size_t size) {
  if (size < 18) return false;
  switch (format) {
    case ImageFormat::kBmp:
      return head[0] == 'B' && head[1] == 'M';
    case ImageFormat::kGif:
      return std::equal(head, head + 3, "GIF");
    case ImageFormat::kTiff:
      return (head[0] == 'I' && head[1] == 'I' && head[2] == 42) ||
             (head[0] == 'M' && head[1] == 'M' && head[3] == 42);
    case ImageFormat::kPcx:
      return head[0] == 10 && head[2] == 1;
    case ImageFormat::kTga:
      return head[1] <= 1 && (head[2] & ~11) == 0 && (head[2] & 3) != 0;
    case ImageFormat::kJpeg:
      return head[0] == 0xFF && head[1] == 0xD8;
    case ImageFormat::kPng:
      return head[0] == 0x89 && head[1] == 'P' && head[2] == 'N';
  }
  return false;
}

}  // namespace

std::optional<Image> ReadImageFile(FileSystem& files, ImageFormat format, const std::string& path) {
  InputFile file;
  uint8_t head[18];
  if (!file.Open(files, path) || !MayBe(format, head, file.Read(head, sizeof head)) ||
      !file.Seek(0)) {
    return std::nullopt;
  }
  const int64_t size = file.Size();
  // A picture file within the limits is far below this; anything larger is not read at all.
  if (size <= 0 || size > (int64_t{1} << 31)) return std::nullopt;
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  if (file.Read(bytes.data(), bytes.size()) != bytes.size()) return std::nullopt;
  return DecodeImage(format, bytes);
}

bool WriteImageFile(FileSystem& files, ImageFormat format, const std::string& path,
                    const Image& image, bool sweep) {
  std::vector<uint8_t> bytes;
  if (!EncodeImage(format, image, bytes)) return false;
  SafeOutputFile file;
  return file.Create(files, path, sweep) && file.Write(bytes.data(), bytes.size()) && file.Commit();
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
    case ImageFormat::kBmp:
      return ".bmp";
    case ImageFormat::kGif:
      return ".gif";
    case ImageFormat::kTiff:
      return ".tif";
    case ImageFormat::kPcx:
      return ".pcx";
    case ImageFormat::kTga:
      return ".tga";
    case ImageFormat::kJpeg:
      return ".jpg";
    case ImageFormat::kPng:
      return ".png";
  }
  return "";
}

}  // namespace kinet::platform
