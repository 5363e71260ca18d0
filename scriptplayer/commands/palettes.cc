#include "scriptplayer/commands/palettes.h"

#include <algorithm>
#include <array>

#include "scriptplayer/commands/bitmaps.h"
#include "scriptplayer/commands/window.h"
#include "scriptplayer/engine/interpreter.h"
#include "scriptplayer/window/screen.h"

namespace kinet::script::cmd {
namespace {

// Fades step in units of the 6-bit scale the palettes are stored in: 4 of our levels.
constexpr int kLevelsPerStep = 4;

void WaitFadeStep(Interpreter& in, const Screen& screen) {
  in.WaitUntil(in.host().clock().NowMs() + screen.fade_step_ms);
}

}  // namespace

void FadeInPalette(Interpreter& in, Screen& screen, const uint8_t* target) {
  std::array<uint8_t, 768> step;
  for (int s = 63; s >= 3; s -= 4) {
    const int cut = s * kLevelsPerStep;
    for (size_t i = 0; i < step.size(); ++i) step[i] = uint8_t(std::max(target[i] - cut, 0));
    screen.SetPalette(step.data());
    WaitFadeStep(in, screen);
  }
  screen.SetPalette(target);
}

void FadeOutPalette(Interpreter& in, Screen& screen) {
  for (int s = 0; s < 16; ++s) {
    std::array<uint8_t, 768> step = screen.palette;
    for (uint8_t& c : step) c = uint8_t(std::max(c - kLevelsPerStep * 4, 0));
    screen.SetPalette(step.data());
    WaitFadeStep(in, screen);
  }
}

void BitmapGetPalette(Interpreter& in) {
  Bitmap& bitmap = ArgBitmap(in);
  Screen* screen = ScreenSettings(in);
  bitmap.palette = std::make_unique<std::array<uint8_t, 768>>();
  if (screen) *bitmap.palette = screen->palette;
}

// A bitmap without a palette changes nothing.
void BitmapSetPalette(Interpreter& in) {
  Bitmap& bitmap = ArgBitmap(in);
  Screen* screen = ScreenSettings(in);
  if (screen && bitmap.palette) screen->SetPalette(bitmap.palette->data());
}

void BitmapFadeInPalette(Interpreter& in) {
  Bitmap& bitmap = ArgBitmap(in);
  Screen* screen = ScreenSettings(in);
  if (screen && bitmap.palette) FadeInPalette(in, *screen, bitmap.palette->data());
}

void ScreenFadeOutClear(Interpreter& in) {
  uint8_t colour = static_cast<uint8_t>(in.ArgNumber());
  Screen& screen = OpenScreen(in);
  FadeOutPalette(in, screen);
  KinetBufferClear(screen.buffer(), colour);
  screen.ShowAll();
}

void ScreenFadeSpeed(Interpreter& in) {
  int32_t ms = in.ArgNumber();
  if (Screen* screen = ScreenSettings(in)) screen->fade_step_ms = uint32_t(std::max(ms, 0));
}

void ScreenPaletteLock(Interpreter& in) {
  int64_t first = in.ArgNumber(), count = in.ArgNumber();
  bool on = in.ArgNumber() != 0;
  Screen* screen = ScreenSettings(in);
  if (!screen) return;
  for (int64_t i = std::max<int64_t>(first, 0); i < std::min<int64_t>(first + count, 256); ++i)
    screen->locked[size_t(i)] = on;
}

void ScreenForcePaletteZeroBlack(Interpreter& in) {
  bool on = in.ArgNumber() != 0;
  Screen* screen = ScreenSettings(in);
  if (!screen) return;
  if (on) {
    std::array<uint8_t, 768> black = screen->palette;
    std::fill_n(black.begin(), 3, 0);
    screen->locked[0] = false;
    screen->SetPalette(black.data());
  }
  screen->locked[0] = on;
}

void ScreenGetBrightestPaletteIndex(Interpreter& in) {
  std::string name = in.ArgName();
  in.SetNumber(name, BrightestEntry(OpenScreen(in).palette.data()));
}

void ScreenGetDarkestPaletteIndex(Interpreter& in) {
  std::string name = in.ArgName();
  in.SetNumber(name, DarkestEntry(OpenScreen(in).palette.data()));
}

}  // namespace kinet::script::cmd
