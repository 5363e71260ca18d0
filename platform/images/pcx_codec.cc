// PCX: run-length coded 8-bit pictures with the 256-colour palette at the end of the file
// (a 12 byte and 768 palette bytes), and 24-bit pictures as three 8-bit planes per line.
// Written as 8-bit, version 5, every line coded on its own.
#include <algorithm>

#include "platform/bytes/byte_io.h"
#include "platform/images/codecs.h"

namespace kinet::platform::codecs {
namespace {

constexpr size_t kHeaderSize = 128;
constexpr size_t kPaletteTail = 769;

// Decodes `planes` x `line_bytes` x `height` bytes of run-length data. Runs may cross line
// ends, as some writers let them.
bool Unpack(ByteReader& in, std::vector<uint8_t>& out) {
  size_t at = 0;
  while (at < out.size()) {
    uint8_t b = in.U8();
    size_t count = 1;
    if (b >= 0xC0) {
      count = b & 0x3F;
      b = in.U8();
    }
    if (in.failed()) return false;
    count = std::min(count, out.size() - at);
    std::fill_n(out.begin() + static_cast<ptrdiff_t>(at), count, b);
    at += count;
  }
  return true;
}

}  // namespace

std::optional<Image> DecodePcx(std::span<const uint8_t> bytes) {
  ByteReader in(bytes);
  const uint8_t maker = in.U8(), version = in.U8(), encoding = in.U8(), bits = in.U8();
  const uint32_t x0 = in.U16(), y0 = in.U16(), x1 = in.U16(), y1 = in.U16();
  in.Seek(65);
  const uint32_t planes = in.U8(), line_bytes = in.U16();
  if (in.failed() || maker != 10 || version > 5 || encoding != 1 || bits != 8 || x1 < x0 ||
      y1 < y0 || (planes != 1 && planes != 3)) {
    return std::nullopt;
  }
  Image image;
  image.width = x1 - x0 + 1;
  image.height = y1 - y0 + 1;
  image.bits = planes == 1 ? 8 : 24;
  if (line_bytes < image.width || !ImageSidesAllowed(image.width, image.height)) {
    return std::nullopt;
  }
  // One coded byte pair gives at most 63 bytes: a file too short for its lines is refused
  // before anything is allocated for them.
  const uint64_t packed_size = uint64_t{planes} * line_bytes * image.height;
  if (packed_size > 63 * uint64_t{bytes.size()}) return std::nullopt;
  std::vector<uint8_t> packed(packed_size);
  in.Seek(kHeaderSize);
  if (!Unpack(in, packed) || !image.Allocate()) return std::nullopt;
  for (uint32_t y = 0; y < image.height; ++y) {
    const uint8_t* line = &packed[size_t{y} * planes * line_bytes];
    uint8_t* out = &image.pixels[y * image.RowBytes()];
    for (uint32_t x = 0; x < image.width; ++x) {
      for (uint32_t p = 0; p < planes; ++p) out[x * planes + p] = line[p * line_bytes + x];
    }
  }
  if (planes == 1) {
    if (bytes.size() < kHeaderSize + kPaletteTail || bytes[bytes.size() - kPaletteTail] != 12) {
      return std::nullopt;
    }
    std::copy_n(bytes.end() - 768, 768, image.palette.begin());
  }
  return image;
}

bool EncodePcx(const Image& image, std::vector<uint8_t>& out) {
  if (image.bits != 8 || image.width > 65535 || image.height > 65535) return false;
  const uint32_t line_bytes = (image.width + 1) & ~1u;  // lines hold an even number of bytes
  out.assign(kHeaderSize, 0);
  out[0] = 10, out[1] = 5, out[2] = 1, out[3] = 8;
  PutU16At(out, 8, image.width - 1);
  PutU16At(out, 10, image.height - 1);
  PutU16At(out, 12, 72), PutU16At(out, 14, 72);
  out[65] = 1;
  PutU16At(out, 66, line_bytes);
  PutU16At(out, 68, 1);  // colour palette
  std::vector<uint8_t> line(line_bytes, 0);
  for (uint32_t y = 0; y < image.height; ++y) {
    std::copy_n(&image.pixels[y * image.RowBytes()], image.width, line.begin());
    for (uint32_t x = 0; x < line_bytes;) {
      uint32_t run = 1;
      while (x + run < line_bytes && run < 63 && line[x + run] == line[x]) ++run;
      if (run > 1 || line[x] >= 0xC0) PutU8(out, 0xC0 | run);
      PutU8(out, line[x]);
      x += run;
    }
  }
  PutU8(out, 12);
  out.insert(out.end(), image.palette.begin(), image.palette.end());
  return true;
}

}  // namespace kinet::platform::codecs
