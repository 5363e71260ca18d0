// New palettes for a display buffer, and copying its rectangles to the window.
#include <algorithm>
#include <cstring>

#include "lib/core/palette_layout.h"
#include "lib/core/system_colours.h"
#include "lib/display/buffer_state.h"

namespace kinet {

namespace {

// A colour equal to a system colour above the changeable range would be shown as that entry
// by a palette-managed display; its red moves by one to keep it apart.
void NudgeOffStaticColours(const KinetBuffer& b, uint8_t rgb[3]) {
  for (int i = kStaticColoursPerEnd; i < 2 * kStaticColoursPerEnd; ++i) {
    if (static_cast<uint32_t>(SystemColourEntry(i)) < b.EndEntry) continue;
    if (std::memcmp(rgb, kSystemColours[i], 3) != 0) continue;
    rgb[0] = (rgb[0] & 3) == 3 ? rgb[0] - 1 : rgb[0] + 1;
    return;
  }
}

}  // namespace

}  // namespace kinet

using namespace kinet;

extern "C" void KinetBufferNewPalette(KinetBuffer* buffer, const uint8_t* palette,
                                      uint32_t flags) {
  if (!StateOf(buffer) || !palette) return;
  const PaletteLayout layout(flags);
  for (uint32_t i = buffer->FirstEntry; i < buffer->EndEntry; ++i) {
    uint8_t rgb[3];
    layout.Get(palette, i, rgb);
    NudgeOffStaticColours(*buffer, rgb);
    buffer->ColourTable[i][0] = rgb[2];
    buffer->ColourTable[i][1] = rgb[1];
    buffer->ColourTable[i][2] = rgb[0];
  }
  ShowColourTable(*buffer);
  buffer->PaletteChanged = 1;
  // The window shows colours, not indices: everything shown must be copied again.
  buffer->Rerealize = 1;
}

extern "C" uint32_t KinetBufferSetPalette(KinetBuffer* buffer) {
  if (!StateOf(buffer) || buffer->FullScreen || !buffer->PaletteChanged) return 0;
  buffer->PaletteChanged = 0;
  return buffer->EndEntry - buffer->FirstEntry;
}

extern "C" uint32_t KinetBufferBlit(KinetBuffer* buffer, void* dc, int32_t destX, int32_t destY,
                                    int32_t srcX, int32_t srcY, int32_t width, int32_t height) {
  BufferState* state = StateOf(buffer);
  if (!state) return 0;
  const platform::DisplayRect whole{0, 0, static_cast<int>(buffer->Width),
                                    static_cast<int>(buffer->Height)};
  if (buffer->Rerealize || buffer->FullScreen) {
    state->display->Show(buffer->Memory, static_cast<int>(buffer->Pitch), whole, 0, 0);
    const bool rerealized = buffer->Rerealize;
    buffer->Rerealize = 0;
    return rerealized ? 256 : 0;
  }
  // Only the part of the rectangle inside the buffer is copied.
  int32_t x0 = std::max(srcX, 0), y0 = std::max(srcY, 0);
  int32_t x1 = std::min<int64_t>(int64_t{srcX} + width, buffer->Width);
  int32_t y1 = std::min<int64_t>(int64_t{srcY} + height, buffer->Height);
  if (x1 <= x0 || y1 <= y0) return 0;
  state->display->Show(buffer->Memory, static_cast<int>(buffer->Pitch), {x0, y0, x1 - x0, y1 - y0},
                       destX + (x0 - srcX), destY + (y0 - srcY));
  return 0;
}
