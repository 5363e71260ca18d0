// Opening, clearing and closing display buffers, and the names of the modes.
#include <algorithm>
#include <cstring>
#include <new>

#include "lib/core/system_colours.h"
#include "lib/display/buffer_state.h"

namespace kinet {

namespace {

constexpr int32_t kMaxSide = 32768;

const char* const kModeNames[] = {"Automatic",
                                  "Full screen 320x240",
                                  "Full screen 320x200",
                                  "Full screen 320x200 direct",
                                  "Standard Windows DIBs",
                                  "CreateDIBSection"};

// The display a mode asks for, or nothing when the picture does not suit the mode.
bool DisplayKindOf(uint32_t mode, int32_t w, int32_t h, bool zoomed, platform::DisplayKind& kind) {
  switch (mode) {
    case KINET_MODE_FULL_320X240:
    case KINET_MODE_FULL_320X200:
    case KINET_MODE_FULL_DIRECT:
      kind = platform::DisplayKind::kFullScreen;
      return !zoomed && w <= 320 && h <= (mode == KINET_MODE_FULL_320X240 ? 240 : 200);
    case KINET_MODE_SOFTWARE:
      kind = platform::DisplayKind::kSoftware;
      return true;
    case KINET_MODE_ACCELERATED:
      kind = platform::DisplayKind::kAccelerated;
      return true;
    default:
      return false;
  }
}

// Windowed displays keep the system colours at both ends; full screen frees every entry.
void InitColourTable(KinetBuffer& b) {
  std::memset(b.ColourTable, 0, sizeof b.ColourTable);
  if (b.FullScreen) {
    b.FirstEntry = 0;
    b.EndEntry = 256;
    return;
  }
  b.FirstEntry = kStaticColoursPerEnd;
  b.EndEntry = 256 - kStaticColoursPerEnd;
  for (int i = 0; i < 2 * kStaticColoursPerEnd; ++i) {
    uint8_t* entry = b.ColourTable[SystemColourEntry(i)];
    entry[0] = kSystemColours[i][2];
    entry[1] = kSystemColours[i][1];
    entry[2] = kSystemColours[i][0];
  }
}

KinetBuffer* Open(void* window, uint32_t mode, int32_t w, int32_t h, int32_t shown_w,
                  int32_t shown_h) {
  if (w <= 0 || h <= 0 || w > kMaxSide || h > kMaxSide || shown_w < 0 || shown_h < 0)
    return nullptr;
  if (shown_w == 0) shown_w = w;
  if (shown_h == 0) shown_h = h;
  const bool zoomed = shown_w != w || shown_h != h;
  const uint32_t tries[2] = {mode == KINET_MODE_AUTOMATIC ? KINET_MODE_ACCELERATED : mode,
                             mode == KINET_MODE_AUTOMATIC ? KINET_MODE_SOFTWARE : mode};
  auto state = std::make_unique<BufferState>();
  uint32_t used = 0;
  for (uint32_t candidate : tries) {
    platform::DisplayKind kind;
    if (!DisplayKindOf(candidate, w, h, zoomed, kind)) continue;
    state->display = platform::OpenDisplay(window, kind, w, h, shown_w, shown_h, "Kinetor");
    if (state->display) {
      used = candidate;
      break;
    }
  }
  if (!state->display) return nullptr;

  auto* b = new KinetBuffer{};
  b->Mode = used;
  b->FullScreen = used <= KINET_MODE_FULL_DIRECT;
  b->Window = state->display->window();
  b->Width = static_cast<uint32_t>(w);
  b->Height = static_cast<uint32_t>(h);
  b->ShownWidth = static_cast<uint32_t>(shown_w);
  b->ShownHeight = static_cast<uint32_t>(shown_h);
  b->Pitch = (b->Width + 3) & ~3u;
  state->memory.assign(size_t{b->Pitch} * b->Height, 0);
  b->Memory = state->memory.data();
  InitColourTable(*b);
  b->Private = state.release();
  ShowColourTable(*b);
  return b;
}

}  // namespace

void ShowColourTable(KinetBuffer& b) {
  uint32_t colours[256];
  for (int i = 0; i < 256; ++i) {
    const uint8_t* e = b.ColourTable[i];
    colours[i] = uint32_t{e[2]} << 16 | uint32_t{e[1]} << 8 | e[0];
  }
  StateOf(&b)->display->SetColours(colours);
}

}  // namespace kinet

using namespace kinet;

extern "C" KinetBuffer* KinetBufferOpen(void* window, uint32_t mode, int32_t width,
                                        int32_t height, int32_t shownWidth,
                                        int32_t shownHeight) {
  try {
    return Open(window, mode, width, height, shownWidth, shownHeight);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

extern "C" void KinetBufferClear(KinetBuffer* buffer, uint32_t colour) {
  if (!StateOf(buffer)) return;
  std::memset(buffer->Memory, static_cast<uint8_t>(colour), size_t{buffer->Pitch} * buffer->Height);
}

extern "C" void KinetBufferClose(KinetBuffer* buffer) {
  BufferState* state = StateOf(buffer);
  if (!state) return;
  delete state;
  delete buffer;
}

extern "C" uint32_t KinetBufferFocused(KinetBuffer* buffer) {
  BufferState* state = StateOf(buffer);
  return state && state->display->HasFocus() ? 1 : 0;
}

extern "C" char* KinetBufferString(char* text, uint32_t mode) {
  if (!text) return nullptr;
  const char* name = kModeNames[std::min<uint32_t>(mode, 5)];
  const size_t n = std::strlen(name);
  std::memcpy(text, name, n + 1);
  return text + n;
}

extern "C" uint32_t KinetSetSystemRes(uint32_t mode) { return 0; }
