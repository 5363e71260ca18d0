// KinetColorTrans and KinetColorRemap: decoding into a palette other than the file's.
#include <algorithm>
#include <cstdint>

#include "lib/core/palette_layout.h"
#include "lib/playback/handle_state.h"

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
  const PaletteLayout layout(flags);
  uint8_t table[256];
  for (uint32_t i = 0; i < 256; ++i) {
    const uint8_t* want = handle->Palette + 3 * i;
    uint32_t best = 0, best_distance = UINT32_MAX;
    for (uint32_t k = 0; k < count; ++k) {
      const uint32_t candidate = (i + k) % count;
      uint8_t rgb[3];
      layout.Get(palette, candidate, rgb);
      const int dr = rgb[0] - want[0], dg = rgb[1] - want[1], db = rgb[2] - want[2];
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
