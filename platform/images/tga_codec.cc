// Targa: colour-mapped (types 1 and 9), true-colour 16/24/32-bit (2 and 10) and grey (3 and
// 11) pictures, plain or run-length coded, in either row order. Written run-length coded and
// top-down: 8-bit as colour-mapped with a 256-entry 24-bit map, deeper pictures as true colour.
#include <algorithm>

#include "platform/bytes/byte_io.h"
#include "platform/images/codecs.h"

namespace kinet::platform::codecs {
namespace {

constexpr uint8_t kMapped = 1, kTrueColour = 2, kGrey = 3, kRunLength = 8;
constexpr uint8_t kTopDown = 0x20;

// Reads one stored pixel (blue, green, red[, alpha] or a 5-5-5 word or an index) into our
// layout.
void StorePixel(std::span<const uint8_t> in, uint32_t bits, uint8_t* out) {
  switch (bits) {
    case 8:
      out[0] = in[0];
      break;
    case 16:
      out[0] = in[0], out[1] = in[1] & 0x7F;
      break;
    case 24:
      out[0] = in[2], out[1] = in[1], out[2] = in[0];
      break;
    case 32:
      out[0] = in[2], out[1] = in[1], out[2] = in[0], out[3] = in[3];
      break;
  }
}

bool ReadColourMap(ByteReader& in, uint32_t first, uint32_t length, uint32_t entry_bits,
                   Image& image) {
  const uint32_t entry = (entry_bits + 7) / 8;
  if (entry < 2 || entry > 4) return false;
  for (uint32_t i = 0; i < length; ++i) {
    auto e = in.Take(entry);
    if (e.empty()) return false;
    const uint32_t index = first + i;
    if (index >= 256) continue;
    uint8_t* rgb = &image.palette[index * 3];
    if (entry == 2) {
      const uint32_t v = e[0] | e[1] << 8;
      for (int c = 0; c < 3; ++c) {
        const uint32_t five = (v >> (10 - 5 * c)) & 31;
        rgb[c] = static_cast<uint8_t>(five << 3 | five >> 2);
      }
    } else {
      rgb[0] = e[2], rgb[1] = e[1], rgb[2] = e[0];
    }
  }
  return true;
}

bool ReadPixels(ByteReader& in, bool run_length, uint32_t stored_bits, Image& image) {
  const uint32_t bpp = image.BytesPerPixel(), stored = stored_bits / 8;
  const size_t count = size_t{image.width} * image.height;
  for (size_t i = 0; i < count;) {
    size_t n = 1;
    bool repeat = false;
    if (run_length) {
      const uint8_t packet = in.U8();
      n = std::min<size_t>((packet & 0x7F) + 1, count - i);
      repeat = packet & 0x80;
    }
    for (size_t k = 0; k < n; ++k, ++i) {
      if (k == 0 || !repeat) {
        auto p = in.Take(stored);
        if (p.empty()) return false;
        StorePixel(p, stored_bits, &image.pixels[i * bpp]);
      } else {
        std::copy_n(&image.pixels[(i - 1) * bpp], bpp, &image.pixels[i * bpp]);
      }
    }
  }
  return !in.failed();
}

// Brings the rows into top-down, left-to-right order.
void Orient(uint8_t descriptor, Image& image) {
  const size_t row = image.RowBytes();
  const uint32_t bpp = image.BytesPerPixel();
  if (descriptor & 0x10) {
    for (uint32_t y = 0; y < image.height; ++y) {
      uint8_t* line = &image.pixels[y * row];
      for (uint32_t a = 0, b = image.width - 1; a < b; ++a, --b) {
        std::swap_ranges(line + a * bpp, line + a * bpp + bpp, line + b * bpp);
      }
    }
  }
  if (!(descriptor & kTopDown)) {
    for (uint32_t a = 0, b = image.height - 1; a < b; ++a, --b) {
      std::swap_ranges(&image.pixels[a * row], &image.pixels[a * row] + row,
                       &image.pixels[b * row]);
    }
  }
}

// One run-length packet stream of `count` pixels of `bpp` bytes each, as stored.
void PackRuns(const uint8_t* pixels, size_t count, uint32_t bpp, std::vector<uint8_t>& out) {
  auto same = [&](size_t a, size_t b) {
    return std::equal(pixels + a * bpp, pixels + a * bpp + bpp, pixels + b * bpp);
  };
  for (size_t i = 0; i < count;) {
    size_t run = 1;
    while (i + run < count && run < 128 && same(i, i + run)) ++run;
    if (run > 1) {
      PutU8(out, 0x80 | (run - 1));
      out.insert(out.end(), pixels + i * bpp, pixels + i * bpp + bpp);
      i += run;
      continue;
    }
    size_t raw = 1;
    while (i + raw < count && raw < 128 && !(i + raw + 1 < count && same(i + raw, i + raw + 1))) {
      ++raw;
    }
    PutU8(out, raw - 1);
    out.insert(out.end(), pixels + i * bpp, pixels + (i + raw) * bpp);
    i += raw;
  }
}

}  // namespace

std::optional<Image> DecodeTga(std::span<const uint8_t> bytes) {
  ByteReader in(bytes);
  const uint8_t id_length = in.U8(), map_type = in.U8(), type = in.U8();
  const uint32_t map_first = in.U16(), map_length = in.U16(), map_bits = in.U8();
  in.Skip(4);
  Image image;
  image.width = in.U16();
  image.height = in.U16();
  const uint32_t bits = in.U8();
  const uint8_t descriptor = in.U8();
  const uint8_t kind = type & ~kRunLength;
  if (in.failed() || map_type > 1 || (type & ~(kRunLength | 3)) || kind == 0) return std::nullopt;
  if (kind == kTrueColour ? (bits != 16 && bits != 24 && bits != 32) : bits != 8) {
    return std::nullopt;
  }
  if (kind == kMapped && map_type != 1) return std::nullopt;
  image.bits = kind == kTrueColour ? bits : 8;
  // Plain pixels must all be in the file, and a run-length packet gives at most 128: a header
  // that lies about its sides is refused before the picture is allocated.
  const uint64_t pixels = uint64_t{image.width} * image.height;
  const uint64_t left = in.remaining();
  if ((type & kRunLength) ? pixels > 128 * left : pixels * (bits / 8) > left) return std::nullopt;
  if (!image.Allocate()) return std::nullopt;
  in.Skip(id_length);
  if (map_type == 1 && !ReadColourMap(in, map_first, map_length, map_bits, image)) {
    return std::nullopt;
  }
  if (kind == kGrey) {
    for (int i = 0; i < 256; ++i) std::fill_n(&image.palette[i * 3], 3, static_cast<uint8_t>(i));
  }
  if (!ReadPixels(in, type & kRunLength, bits, image)) return std::nullopt;
  if (image.bits == 32 && (descriptor & 15) == 0) {
    for (size_t i = 3; i < image.pixels.size(); i += 4) image.pixels[i] = 255;
  }
  Orient(descriptor, image);
  return image;
}

bool EncodeTga(const Image& image, std::vector<uint8_t>& out) {
  if (image.width > 65535 || image.height > 65535) return false;
  const bool mapped = image.bits == 8;
  PutU8(out, 0), PutU8(out, mapped ? 1 : 0), PutU8(out, (mapped ? kMapped : kTrueColour) | 8);
  PutU16(out, 0), PutU16(out, mapped ? 256 : 0), PutU8(out, mapped ? 24 : 0);
  PutU16(out, 0), PutU16(out, 0), PutU16(out, image.width), PutU16(out, image.height);
  PutU8(out, image.bits), PutU8(out, kTopDown | (image.bits == 32 ? 8 : 0));
  if (mapped) {
    for (int i = 0; i < 256; ++i) {
      PutU8(out, image.palette[i * 3 + 2]), PutU8(out, image.palette[i * 3 + 1]);
      PutU8(out, image.palette[i * 3]);
    }
  }
  // Stored pixels: blue first for 24 and 32 bits; indices and 5-5-5 words as they are.
  std::vector<uint8_t> stored(image.pixels);
  if (image.bits >= 24) {
    for (size_t i = 0; i < stored.size(); i += image.BytesPerPixel()) {
      std::swap(stored[i], stored[i + 2]);
    }
  }
  PackRuns(stored.data(), size_t{image.width} * image.height, image.BytesPerPixel(), out);
  return true;
}

}  // namespace kinet::platform::codecs
