#include "compressor/palette_encoder.h"

#include <cstring>

namespace kinet::encoder {

namespace {

bool SameEntry(const uint8_t* a, const uint8_t* b) { return std::memcmp(a, b, 3) == 0; }

// The longest stretch from entry i of `next` found anywhere in `previous`: its length and the
// first position where that length occurs.
void LongestMatch(const uint8_t* previous, const uint8_t* next, uint32_t i, uint32_t& length,
                  uint32_t& source) {
  length = 0;
  for (uint32_t s = 0; s < 256; ++s) {
    uint32_t n = 0;
    while (i + n < 256 && s + n < 256 && SameEntry(previous + 3 * (s + n), next + 3 * (i + n))) ++n;
    if (n > length) {
      length = n;
      source = s;
    }
  }
}

}  // namespace

std::vector<uint8_t> EncodePaletteRecord(const uint8_t previous[768], const uint8_t next[768],
                                         bool literal) {
  if (std::memcmp(previous, next, 768) == 0) return {};
  std::vector<uint8_t> record{0};  // the length byte, set at the end
  uint32_t i = 0;
  while (i < 256) {
    if (!literal) {
      uint32_t same = 0;
      while (i + same < 256 && SameEntry(previous + 3 * (i + same), next + 3 * (i + same))) ++same;
      for (; same >= 128; same -= 128, i += 128) record.push_back(0xFF);
      if (same > 0) {
        record.push_back(static_cast<uint8_t>(0x80 + same - 1));
        i += same;
      }
      if (i >= 256) break;
      uint32_t length, source;
      LongestMatch(previous, next, i, length, source);
      if (length > 0) {
        for (; length > 0; source += 64) {
          const uint32_t n = length < 64 ? length : 64;
          record.push_back(static_cast<uint8_t>(0x40 + n - 1));
          record.push_back(static_cast<uint8_t>(source));
          i += n;
          length -= n;
        }
        continue;
      }
    }
    for (int c = 0; c < 3; ++c) record.push_back(next[3 * i + c] >> 2);
    ++i;
  }
  while (record.size() % 4) record.push_back(0);
  record[0] = static_cast<uint8_t>(record.size() / 4);
  return record;
}

}  // namespace kinet::encoder
