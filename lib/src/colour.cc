// KinetColorTrans and KinetColorRemap: decoding into a palette other than the file's.
#include <algorithm>
#include <cstdint>

#include "handle_state.h"

using namespace kinet;

extern "C" void KinetColorTrans(KinetHandle* handle, const uint8_t* table) {
  HandleState* s = StateOf(handle);
  if (!s || !table) return;
  s->trees.Translate(table);
}

extern "C" void KinetColorRemap(KinetHandle* handle, const uint8_t* palette, uint32_t count,
                                uint32_t flags) {
  HandleState* s = StateOf(handle);
  if (!s || !palette || count == 0) return;
  count = std::min<uint32_t>(count, 256);
  uint32_t entry = (flags & 4) ? 4 : 3;
  uint32_t red = (flags & 8) ? 1 : 0, green = red + 1, blue = red + 2;
  if (flags & 2) std::swap(red, blue);
  if (flags & 1) {  // 16-bit cells: the byte at the doubled offset is compared
    entry *= 2;
    red *= 2;
    green *= 2;
    blue *= 2;
  }
  uint8_t table[256];
  for (uint32_t i = 0; i < 256; ++i) {
    const uint8_t* want = handle->Palette + 3 * i;
    uint32_t best = 0, best_distance = UINT32_MAX;
    for (uint32_t k = 0; k < count; ++k) {
      const uint32_t candidate = (i + k) % count;
      const uint8_t* p = palette + candidate * entry;
      const int dr = p[red] - want[0], dg = p[green] - want[1], db = p[blue] - want[2];
      const uint32_t distance = static_cast<uint32_t>(dr * dr + dg * dg + db * db);
      if (distance < best_distance) {
        best_distance = distance;
        best = candidate;
        if (distance == 0) break;
      }
    }
    table[i] = static_cast<uint8_t>(best);
  }
  s->trees.Translate(table);
}
