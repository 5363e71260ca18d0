#include "lib/core/format.h"

#include <algorithm>

namespace kinet {

namespace {
constexpr size_t kFieldCount = KINET_HEADER_SIZE / 4;
}

KinetHeader ParseHeader(const uint8_t* bytes) {
  uint32_t words[kFieldCount];
  for (size_t i = 0; i < kFieldCount; ++i) words[i] = LoadLe32(bytes + 4 * i);
  KinetHeader header;
  static_assert(sizeof(words) == sizeof(header));
  __builtin_memcpy(&header, words, sizeof(header));
  return header;
}

void SerializeHeader(const KinetHeader& header, uint8_t* bytes) {
  uint32_t words[kFieldCount];
  __builtin_memcpy(words, &header, sizeof(header));
  for (size_t i = 0; i < kFieldCount; ++i) StoreLe32(bytes + 4 * i, words[i]);
}

uint32_t FramePeriod(int32_t frame_rate) {
  // Milliseconds beyond what the 32-bit period holds (about 12 hours a frame) keep its largest.
  if (frame_rate > 0)
    return static_cast<uint32_t>(std::min<uint64_t>(uint64_t{100} * frame_rate, UINT32_MAX));
  if (frame_rate < 0) return 0u - static_cast<uint32_t>(frame_rate);
  return 0;
}

}  // namespace kinet
