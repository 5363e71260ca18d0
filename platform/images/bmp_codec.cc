// BMP: 1-, 4- and 8-bit pictures with palettes (4- and 8-bit also run-length coded, RLE4 and
// RLE8), 16-bit
// (5-5-5), 24-bit and 32-bit, and 16/32-bit pixels with bit-field masks (5-6-5 and others);
// bottom-up or top-down rows padded to four bytes. Written uncompressed and bottom-up, 8-bit with
// all 256 palette entries.
#include <algorithm>

#include "platform/bytes/byte_io.h"
#include "platform/images/codecs.h"

namespace kinet::platform::codecs {
namespace {

constexpr uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3;
constexpr size_t kMasksAt = 14 + 40;  // after the info header's first 40 bytes, in every version

struct BmpHeader {
  uint32_t data_offset = 0, info_size = 0, bits = 0, compression = kRgb, colours = 0;
  int64_t width = 0, height = 0;
};

std::optional<BmpHeader> ReadHeader(ByteReader& in) {
  BmpHeader h;
  if (in.U8() != 'B' || in.U8() != 'M') return std::nullopt;
  in.Skip(8);
  h.data_offset = in.U32();
  h.info_size = in.U32();
  if (h.info_size == 12) {  // the old core header: 16-bit sides, three-byte palette entries
    h.width = in.U16();
    h.height = static_cast<int16_t>(in.U16());
    in.Skip(2);
    h.bits = in.U16();
  } else if (h.info_size >= 40) {
    h.width = in.S32();
    h.height = in.S32();
    in.Skip(2);
    h.bits = in.U16();
    h.compression = in.U32();
    in.Skip(12);
    h.colours = in.U32();
  } else {
    return std::nullopt;
  }
  if (in.failed()) return std::nullopt;
  return h;
}

// Copies the palette (blue, green, red[, reserved] entries) into `image`.
void ReadPalette(ByteReader& in, const BmpHeader& h, Image& image) {
  const uint32_t entry = h.info_size == 12 ? 3 : 4;
  uint32_t count = h.colours == 0 || h.colours > 256 ? 1u << h.bits : h.colours;
  in.Seek(14 + size_t{h.info_size});
  for (uint32_t i = 0; i < count && i < 256; ++i) {
    auto e = in.Take(entry);
    if (e.empty()) return;
    image.palette[i * 3] = e[2];
    image.palette[i * 3 + 1] = e[1];
    image.palette[i * 3 + 2] = e[0];
  }
}

// Uncompressed rows, each padded to four bytes.
bool ReadRows(ByteReader& in, uint32_t bits, bool bottom_up, Image& image) {
  const size_t stride = ((size_t{image.width} * bits + 31) / 32) * 4;
  for (uint32_t y = 0; y < image.height; ++y) {
    auto row = in.Take(stride);
    if (row.empty()) return false;
    uint8_t* out = &image.pixels[size_t{bottom_up ? image.height - 1 - y : y} * image.RowBytes()];
    for (uint32_t x = 0; x < image.width; ++x) {
      switch (bits) {
        case 1:
          out[x] = (row[x / 8] >> (7 - x % 8)) & 1;
          break;
        case 4:
          out[x] = (row[x / 2] >> (x % 2 ? 0 : 4)) & 15;
          break;
        case 8:
          out[x] = row[x];
          break;
        case 16:
          out[2 * x] = row[2 * x], out[2 * x + 1] = row[2 * x + 1] & 0x7F;
          break;
        case 24:
          for (int c = 0; c < 3; ++c) out[3 * x + c] = row[3 * x + 2 - c];
          break;
        case 32:
          for (int c = 0; c < 3; ++c) out[4 * x + c] = row[4 * x + 2 - c];
          out[4 * x + 3] = 255;
          break;
      }
    }
  }
  return true;
}

// RLE8 and RLE4: (count, value) runs and escapes 0 (end of line), 1 (end of picture), 2 (move
// by dx, dy) and 3..255 (that many literal indices, padded to a word). In RLE4 a run's value
// holds two indices that alternate, high nibble first, and literal indices come two to a byte.
// Runs that would cross the right edge or the last line are cut, as a file that lies must not
// write outside.
bool ReadRle(ByteReader& in, uint32_t bits, bool bottom_up, Image& image) {
  uint32_t x = 0, y = 0;
  auto put = [&](uint8_t v) {
    if (x < image.width && y < image.height) {
      image.pixels[size_t{bottom_up ? image.height - 1 - y : y} * image.width + x] = v;
    }
    ++x;
  };
  auto nibble = [](uint8_t pair, uint32_t i) -> uint8_t { return i % 2 ? pair & 15 : pair >> 4; };
  while (!in.failed()) {
    const uint8_t count = in.U8(), value = in.U8();
    if (count > 0) {
      for (uint32_t i = 0; i < count; ++i) put(bits == 8 ? value : nibble(value, i));
    } else if (value == 0) {
      x = 0, ++y;
    } else if (value == 1) {
      return true;
    } else if (value == 2) {
      x += in.U8();
      y += in.U8();
    } else {
      const uint32_t bytes = bits == 8 ? value : (value + 1u) / 2;
      auto literal = in.Take(bytes);
      if (literal.empty()) return false;
      for (uint32_t i = 0; i < value; ++i) put(bits == 8 ? literal[i] : nibble(literal[i / 2], i));
      if (bytes & 1) in.Skip(1);
    }
    if (y > image.height) return true;
  }
  return false;
}

// One colour channel of a bit-field pixel: its mask and how to bring it to 8 bits.
struct Channel {
  uint32_t mask = 0, shift = 0, top = 0;  // top: the largest value after the shift

  explicit Channel(uint32_t m) : mask(m) {
    if (!mask) return;
    while (!((mask >> shift) & 1)) ++shift;
    top = mask >> shift;
  }
  uint8_t Of(uint32_t pixel) const {
    return top ? static_cast<uint8_t>(uint64_t{(pixel & mask) >> shift} * 255 / top) : 255;
  }
};

// 16- and 32-bit pixels with their channels named by masks (5-6-5 and others): delivered as
// 24-bit colour, or 32-bit when there is an alpha mask.
std::optional<Image> DecodeMasked(std::span<const uint8_t> bytes, const BmpHeader& h,
                                  bool bottom_up, Image& image) {
  ByteReader masks(bytes, kMasksAt);
  const Channel red(masks.U32()), green(masks.U32()), blue(masks.U32());
  const Channel alpha(h.info_size >= 56 ? masks.U32() : 0);
  if (masks.failed() || !red.mask || !green.mask || !blue.mask) return std::nullopt;
  image.bits = alpha.mask ? 32 : 24;
  if (!image.Allocate()) return std::nullopt;
  const uint32_t bytes_per_pixel = h.bits / 8;
  const size_t stride = (size_t{image.width} * bytes_per_pixel + 3) & ~size_t{3};
  ByteReader in(bytes, std::min<size_t>(h.data_offset, bytes.size()));
  for (uint32_t y = 0; y < image.height; ++y) {
    auto row = in.Take(stride);
    if (row.empty()) return std::nullopt;
    uint8_t* out = &image.pixels[size_t{bottom_up ? image.height - 1 - y : y} * image.RowBytes()];
    for (uint32_t x = 0; x < image.width; ++x, out += image.BytesPerPixel()) {
      ByteReader p(row.subspan(size_t{x} * bytes_per_pixel, bytes_per_pixel));
      const uint32_t v = bytes_per_pixel == 2 ? p.U16() : p.U32();
      out[0] = red.Of(v), out[1] = green.Of(v), out[2] = blue.Of(v);
      if (alpha.mask) out[3] = alpha.Of(v);
    }
  }
  return image;
}

}  // namespace

std::optional<Image> DecodeBmp(std::span<const uint8_t> bytes) {
  ByteReader in(bytes);
  auto h = ReadHeader(in);
  if (!h) return std::nullopt;
  const bool bottom_up = h->height > 0;
  Image image;
  image.width = h->width > 0 && h->width <= kMaxImageSide ? static_cast<uint32_t>(h->width) : 0;
  const int64_t rows = bottom_up ? h->height : -h->height;
  image.height = rows > 0 && rows <= kMaxImageSide ? static_cast<uint32_t>(rows) : 0;
  const bool rle =
      (h->compression == kRle8 && h->bits == 8) || (h->compression == kRle4 && h->bits == 4);
  if (h->compression == kBitFields && (h->bits == 16 || h->bits == 32)) {
    return DecodeMasked(bytes, *h, bottom_up, image);
  }
  if (h->compression != kRgb && !rle) return std::nullopt;
  switch (h->bits) {
    case 1:
    case 4:
    case 8:
      image.bits = 8;
      break;
    case 16:
    case 24:
    case 32:
      image.bits = h->bits;
      break;
    default:
      return std::nullopt;
  }
  // Uncompressed rows must all be in the file: a header that lies about its sides is refused
  // before the picture is allocated.
  const uint64_t stride = (uint64_t{image.width} * h->bits + 31) / 32 * 4;
  const uint64_t data = bytes.size() > h->data_offset ? bytes.size() - h->data_offset : 0;
  if (!rle && stride * image.height > data) return std::nullopt;
  if (!image.Allocate()) return std::nullopt;
  if (image.bits == 8) ReadPalette(in, *h, image);
  if (h->data_offset > bytes.size() ||
      !DecodeDibPixels(bytes.subspan(h->data_offset), h->bits, h->compression, bottom_up, image)) {
    return std::nullopt;
  }
  return image;
}

bool DecodeDibPixels(std::span<const uint8_t> data, uint32_t bits, uint32_t compression,
                     bool bottom_up, Image& image) {
  ByteReader in(data);
  if (compression == kRle8) return bits == 8 && ReadRle(in, 8, bottom_up, image);
  if (compression == kRle4) return bits == 4 && ReadRle(in, 4, bottom_up, image);
  return compression == kRgb && ReadRows(in, bits, bottom_up, image);
}

bool EncodeBmp(const Image& image, std::vector<uint8_t>& out) {
  const uint32_t palette_bytes = image.bits == 8 ? 1024 : 0;
  const size_t stride = (image.RowBytes() + 3) & ~size_t{3};
  const uint32_t offset = 14 + 40 + palette_bytes;
  const uint64_t file_size = offset + uint64_t{stride} * image.height;
  if (file_size > UINT32_MAX) return false;
  out.reserve(file_size);
  PutU8(out, 'B'), PutU8(out, 'M'), PutU32(out, static_cast<uint32_t>(file_size));
  PutU32(out, 0), PutU32(out, offset);
  PutU32(out, 40), PutU32(out, image.width), PutU32(out, image.height), PutU16(out, 1);
  PutU16(out, image.bits), PutU32(out, kRgb),
      PutU32(out, static_cast<uint32_t>(file_size - offset));
  PutU32(out, 2835), PutU32(out, 2835);  // 72 dots per inch
  PutU32(out, palette_bytes ? 256 : 0), PutU32(out, 0);
  for (uint32_t i = 0; i < palette_bytes / 4; ++i) {
    PutU8(out, image.palette[i * 3 + 2]), PutU8(out, image.palette[i * 3 + 1]);
    PutU8(out, image.palette[i * 3]), PutU8(out, 0);
  }
  const uint32_t bpp = image.BytesPerPixel();
  for (uint32_t y = image.height; y-- > 0;) {
    const uint8_t* row = &image.pixels[y * image.RowBytes()];
    const size_t start = out.size();
    if (bpp >= 3) {
      for (uint32_t x = 0; x < image.width; ++x) {
        const uint8_t* p = row + x * bpp;
        PutU8(out, p[2]), PutU8(out, p[1]), PutU8(out, p[0]);
        if (bpp == 4) PutU8(out, 0);
      }
    } else {
      out.insert(out.end(), row, row + image.RowBytes());
    }
    out.resize(start + stride, 0);
  }
  return true;
}

}  // namespace kinet::platform::codecs
