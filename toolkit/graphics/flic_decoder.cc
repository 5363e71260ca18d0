#include "toolkit/graphics/flic_decoder.h"

#include <algorithm>

#include "lib/core/palette_record.h"
#include "platform/bytes/byte_io.h"
#include "toolkit/graphics/flic_format.h"

namespace kinet::toolkit::flic {
namespace {

using platform::ByteReader;
using platform::Image;

// Palette packets: skip entries, then take a count of red, green, blue triples (0 = 256).
// 6-bit components are widened as the player widens its own stored palettes.
bool DecodeColours(ByteReader& in, bool six_bit, Image& picture) {
  const uint32_t packets = in.U16();
  uint32_t index = 0;
  for (uint32_t p = 0; p < packets && !in.failed(); ++p) {
    index += in.U8();
    uint32_t count = in.U8();
    if (count == 0) count = 256;
    for (uint32_t i = 0; i < count; ++i, ++index) {
      auto rgb = in.Take(3);
      if (rgb.empty()) return false;
      if (index >= 256) continue;
      for (int c = 0; c < 3; ++c) {
        picture.palette[index * 3 + c] = six_bit ? WidenComponent(rgb[c]) : rgb[c];
      }
    }
  }
  return !in.failed();
}

// Writes `count` bytes of `line` from column x, dropping what falls outside the picture.
void PutBytes(Image& picture, uint32_t y, uint32_t x, const uint8_t* bytes, size_t count) {
  if (y >= picture.height || x >= picture.width) return;
  count = std::min<size_t>(count, picture.width - x);
  std::copy_n(bytes, count, &picture.pixels[size_t{y} * picture.width + x]);
}

void FillBytes(Image& picture, uint32_t y, uint32_t x, uint8_t value, size_t count) {
  if (y >= picture.height || x >= picture.width) return;
  count = std::min<size_t>(count, picture.width - x);
  std::fill_n(&picture.pixels[size_t{y} * picture.width + x], count, value);
}

// Word-oriented deltas: per coded line, opcode words (skip lines, set the last byte of an odd
// line, or the packet count), then packets of a column skip and a signed word count.
bool DecodeDeltaFlc(ByteReader& in, Image& picture) {
  const uint32_t lines = in.U16();
  uint32_t y = 0;
  for (uint32_t l = 0; l < lines && !in.failed(); ++l, ++y) {
    uint32_t packets = 0;
    for (;;) {
      const uint16_t word = in.U16();
      if (in.failed()) return false;
      if ((word & 0xC000) == 0xC000) {
        y += 0x10000 - word;
      } else if ((word & 0xC000) == 0x8000) {
        const uint8_t last = static_cast<uint8_t>(word);
        FillBytes(picture, y, picture.width - 1, last, 1);
      } else if (word & 0x4000) {
        return false;
      } else {
        packets = word;
        break;
      }
    }
    if (y >= picture.height) return false;
    uint32_t x = 0;
    for (uint32_t p = 0; p < packets && !in.failed(); ++p) {
      x += in.U8();
      const int8_t count = static_cast<int8_t>(in.U8());
      if (count >= 0) {
        auto words = in.Take(size_t(count) * 2);
        PutBytes(picture, y, x, words.data(), words.size());
        x += static_cast<uint32_t>(count) * 2;
      } else {
        auto word = in.Take(2);
        if (word.empty()) return false;
        for (int i = 0; i < -count; ++i, x += 2) PutBytes(picture, y, x, word.data(), 2);
      }
    }
  }
  return !in.failed();
}

// Byte-oriented deltas: lines to skip, coded line count, then per line a packet count and
// packets of a column skip and a signed byte count.
bool DecodeDeltaFli(ByteReader& in, Image& picture) {
  uint32_t y = in.U16();
  const uint32_t lines = in.U16();
  for (uint32_t l = 0; l < lines && !in.failed(); ++l, ++y) {
    if (y >= picture.height) return false;
    const uint32_t packets = in.U8();
    uint32_t x = 0;
    for (uint32_t p = 0; p < packets && !in.failed(); ++p) {
      x += in.U8();
      const int8_t count = static_cast<int8_t>(in.U8());
      if (count >= 0) {
        auto bytes = in.Take(static_cast<size_t>(count));
        PutBytes(picture, y, x, bytes.data(), bytes.size());
        x += static_cast<uint32_t>(count);
      } else {
        FillBytes(picture, y, x, in.U8(), static_cast<size_t>(-count));
        x += static_cast<uint32_t>(-count);
      }
    }
  }
  return !in.failed();
}

// Every line: a packet count byte (ignored: lines end by width), then runs with a signed
// count, positive for one byte repeated, negative for literal bytes.
bool DecodeByteRun(ByteReader& in, Image& picture) {
  for (uint32_t y = 0; y < picture.height; ++y) {
    in.U8();
    for (uint32_t x = 0; x < picture.width;) {
      const int8_t count = static_cast<int8_t>(in.U8());
      if (in.failed()) return false;
      if (count >= 0) {
        FillBytes(picture, y, x, in.U8(), static_cast<size_t>(count));
        x += static_cast<uint32_t>(count);
      } else {
        auto bytes = in.Take(static_cast<size_t>(-count));
        PutBytes(picture, y, x, bytes.data(), bytes.size());
        x += static_cast<uint32_t>(-count);
      }
    }
  }
  return !in.failed();
}

bool DecodeChunk(uint16_t type, ByteReader& in, Image& picture) {
  switch (type) {
    case kColor256:
      return DecodeColours(in, false, picture);
    case kColor64:
      return DecodeColours(in, true, picture);
    case kDeltaFlc:
      return DecodeDeltaFlc(in, picture);
    case kDeltaFli:
      return DecodeDeltaFli(in, picture);
    case kByteRun:
      return DecodeByteRun(in, picture);
    case kBlack:
      std::fill(picture.pixels.begin(), picture.pixels.end(), 0);
      return true;
    case kFliCopy: {
      auto bytes = in.Take(picture.pixels.size());
      std::copy(bytes.begin(), bytes.end(), picture.pixels.begin());
      return !in.failed();
    }
    default:
      return true;  // postage stamps and chunks of other programs
  }
}

}  // namespace

bool DecodeFrame(std::span<const uint8_t> body, uint32_t chunk_count, Image& picture) {
  ByteReader frame(body);
  for (uint32_t c = 0; c < chunk_count; ++c) {
    const size_t start = frame.position();
    const uint32_t size = frame.U32();
    const uint16_t type = frame.U16();
    if (frame.failed() || size < kChunkHeaderSize || size - kChunkHeaderSize > frame.remaining()) {
      return false;
    }
    ByteReader chunk(body.subspan(frame.position(), size - kChunkHeaderSize));
    if (!DecodeChunk(type, chunk, picture)) return false;
    frame.Seek(start + size);
  }
  return true;
}

}  // namespace kinet::toolkit::flic
