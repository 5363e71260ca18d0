#include "scriptplayer/commands/screen.h"

#include "kinet/kinet_buffer.h"
#include "platform/display/window.h"
#include "scriptplayer/commands/window.h"
#include "scriptplayer/engine/interpreter.h"
#include "scriptplayer/engine/messages.h"
#include "scriptplayer/window/screen.h"

namespace kinet::script::cmd {

void ScreenGraphics(Interpreter& in) {
  std::string name = in.ArgName();
  int32_t width = in.ArgNumber();
  int32_t height = in.ArgNumber();
  if (width == 0 || height == 0) in.FailCommand(msg::kZeroDimension);
  Screen* screen = ScreenSettings(in);
  in.SetNumber(name, screen && width > 0 && height > 0 && screen->Open(width, height) ? 1 : 0);
}

void ScreenText(Interpreter& in) {
  if (Screen* screen = ScreenSettings(in)) screen->Close();
}

void ScreenSettingsCommand(Interpreter& in) {
  int32_t n = in.ArgNumber();
  Screen* screen = ScreenSettings(in);
  if (!screen || n < 0 || n > 4) return;
  uint32_t kept = screen->settings & ~screen_bit::kModeCode;
  screen->settings = n == 0 ? kept | 24 : kept | uint32_t(n + 21) | screen_bit::kSetByNumber;
}

void ScreenInfo(Interpreter& in) {
  std::string name = in.ArgName();
  Screen* screen = ScreenSettings(in);
  uint32_t mode = 0;
  if (screen) mode = screen->IsOpen() ? screen->buffer()->Mode : DisplayModeOf(screen->settings);
  char text[32];
  KinetBufferString(text, mode);
  in.SetVariable(name, text);
}

void ScreenWidth(Interpreter& in) {
  std::string name = in.ArgName();
  Screen* screen = ScreenSettings(in);
  in.SetNumber(name, screen && screen->IsOpen() ? screen->buffer()->Width : 0);
}

void ScreenHeight(Interpreter& in) {
  std::string name = in.ArgName();
  Screen* screen = ScreenSettings(in);
  in.SetNumber(name, screen && screen->IsOpen() ? screen->buffer()->Height : 0);
}

void ScreenAdjustXY(Interpreter& in) {
  int32_t x = in.ArgNumber(), y = in.ArgNumber();
  if (Screen* screen = ScreenSettings(in)) {
    screen->origin_x = screen->text_x = x;
    screen->origin_y = screen->text_y = y;
  }
}

void ScreenWindowAutoPause(Interpreter& in) {
  int32_t on = in.ArgNumber();
  if (Screen* screen = ScreenSettings(in)) screen->auto_pause = on != 0;
}

// Bits are only added by 1 and 2: a caption removed by 2 stays removed until a non-empty
// SCREENWINDOWTITLE.
void ScreenWindowBorder(Interpreter& in) {
  int32_t n = in.ArgNumber();
  Screen* screen = ScreenSettings(in);
  if (!screen) return;
  if (n == 0) screen->settings &= ~(screen_bit::kNoDialogFrame | screen_bit::kThinBorder);
  if (n == 1) screen->settings |= screen_bit::kNoDialogFrame | screen_bit::kThinBorder;
  if (n == 2) screen->settings |= screen_bit::kNoDialogFrame | screen_bit::kNoCaption;
}

void ScreenWindowTitle(Interpreter& in) {
  std::string title = in.ArgText();
  Screen* screen = ScreenSettings(in);
  if (!screen) return;
  screen->title = title;
  if (screen->window()) {
    platform::SetWindowTitle(screen->window(), title.c_str());
  } else if (title.empty()) {
    screen->settings |= screen_bit::kNoCaption;
  } else {
    screen->settings &= ~screen_bit::kNoCaption;
  }
}

void ScreenWindowPos(Interpreter& in) {
  int32_t x = in.ArgNumber(), y = in.ArgNumber();
  Screen* screen = ScreenSettings(in);
  if (!screen) return;
  screen->window_x = x;
  screen->window_y = y;
  screen->ApplyPlace();
}

void ScreenWindowHasFocus(Interpreter& in) {
  std::string name = in.ArgName();
  in.SetNumber(name, KinetBufferFocused(OpenScreen(in).buffer()));
}

void ScreenWindowHwnd(Interpreter& in) {
  std::string name = in.ArgName();
  in.SetNumber(name, platform::WindowNumber(OpenScreen(in).window()));
}

// The window has one palette of its own: its number names the palette too.
void ScreenWindowHpal(Interpreter& in) { ScreenWindowHwnd(in); }

void SystemDisplayResolution(Interpreter& in) { (void)KinetSetSystemRes(uint32_t(in.ArgNumber())); }

}  // namespace kinet::script::cmd
