#include "lib/core/palette_record.h"

#include <algorithm>
#include <cstring>

namespace kinet {

void DecodePaletteRecord(const uint8_t* commands, size_t size, uint8_t palette[kPaletteBytes]) {
  uint8_t previous[kPaletteBytes];
  std::memcpy(previous, palette, kPaletteBytes);
  size_t at = 0;
  uint32_t i = 0;
  while (i < 256 && at < size) {
    const uint8_t c = commands[at++];
    if (c & 0x80) {  // keep entries i.. as they were
      i += (c & 0x7F) + 1u;
    } else if (c & 0x40) {  // copy entries from elsewhere in the previous palette
      if (at >= size) break;
      const uint32_t source = commands[at++];
      const uint32_t n = std::min({(c & 0x3Fu) + 1, 256 - i, 256 - source});
      std::memcpy(palette + 3 * i, previous + 3 * source, 3 * n);
      i += (c & 0x3F) + 1u;
    } else {  // one literal colour
      if (at + 2 > size) break;
      palette[3 * i] = WidenComponent(c);
      palette[3 * i + 1] = WidenComponent(commands[at]);
      palette[3 * i + 2] = WidenComponent(commands[at + 1]);
      at += 2;
      ++i;
    }
  }
}

}  // namespace kinet
