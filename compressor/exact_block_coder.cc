#include "compressor/exact_block_coder.h"

#include <cstring>

#include "compressor/block_codes.h"

namespace kinet::encoder {

namespace {

uint32_t CodeBlock(const uint8_t* p, const uint8_t* prev, uint32_t width) {
  if (prev) {
    bool same = true;
    for (int r = 0; r < 4 && same; ++r) same = std::memcmp(p + r * width, prev + r * width, 4) == 0;
    if (same) return kCodeSkip;
  }
  const uint8_t a = p[0];
  int b = -1;
  uint16_t mask = 0;
  for (int n = 0; n < 16; ++n) {
    const uint8_t v = p[(n / 4) * width + n % 4];
    if (v == a) continue;
    if (b < 0) b = v;
    if (v != b) return kCodeFull;
    mask |= static_cast<uint16_t>(1u << n);
  }
  if (b < 0) return kCodeFill + a;
  // Bit 15 stays clear: when the last pixel is colour B, swap the colours and invert the mask.
  if (mask & 0x8000) return TwoColourWord(static_cast<uint8_t>(b), a, static_cast<uint16_t>(~mask));
  return TwoColourWord(a, static_cast<uint8_t>(b), mask);
}

}  // namespace

std::vector<uint32_t> ChooseExactBlockCodes(const uint8_t* picture, const uint8_t* previous,
                                            uint32_t width, uint32_t height) {
  const uint32_t bpr = width / 4, rows = height / 4;
  std::vector<uint32_t> codes;
  codes.reserve(size_t{bpr} * rows);
  for (uint32_t y = 0; y < rows; ++y) {
    for (uint32_t x = 0; x < bpr; ++x) {
      const size_t at = size_t{y} * 4 * width + x * 4;
      codes.push_back(CodeBlock(picture + at, previous ? previous + at : nullptr, width));
    }
  }
  return codes;
}

}  // namespace kinet::encoder
