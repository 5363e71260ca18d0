#include "scriptplayer/commands/text.h"

#include "scriptplayer/commands/bitmaps.h"
#include "scriptplayer/commands/print.h"
#include "scriptplayer/commands/window.h"
#include "scriptplayer/engine/interpreter.h"
#include "scriptplayer/engine/messages.h"
#include "scriptplayer/window/screen.h"

namespace kinet::script::cmd {
namespace {

void WriteLine(Interpreter& in, const std::string& text, bool line_end) {
  if (Printing(in)) {
    Print(in, line_end ? text + "\r\n" : text);
    return;
  }
  Screen& screen = OpenScreen(in);
  screen.WriteText(text);
  if (line_end) screen.WriteText("\n");
}

// Colour commands work without a window too: the colours wait for it.
template <typename Set>
void SetColour(Interpreter& in, Set set) {
  uint8_t colour = static_cast<uint8_t>(in.ArgNumber());
  if (Screen* screen = ScreenSettings(in)) set(screen->colours, colour);
}

}  // namespace

void Text(Interpreter& in) { WriteLine(in, in.ArgText(), true); }

void TextNoCr(Interpreter& in) { WriteLine(in, in.ArgText(), false); }

void TextBegin(Interpreter& in) {
  in.DiscardParameters();
  if (!Printing(in)) OpenScreen(in);
  std::string line;
  while (in.NextTextLine(line)) WriteLine(in, ExpandReferences(line, in.variables()), true);
}

void TextSetXY(Interpreter& in) {
  int32_t x = in.ArgNumber(), y = in.ArgNumber();
  if (Screen* screen = ScreenSettings(in)) {
    screen->text_x = int64_t{screen->origin_x} + x;
    screen->text_y = int64_t{screen->origin_y} + y;
  }
}

void TextX(Interpreter& in) {
  std::string name = in.ArgName();
  Screen* screen = ScreenSettings(in);
  in.SetNumber(name, screen ? screen->text_x : 0);
}

void TextY(Interpreter& in) {
  std::string name = in.ArgName();
  Screen* screen = ScreenSettings(in);
  in.SetNumber(name, screen ? screen->text_y : 0);
}

void TextColor(Interpreter& in) {
  SetColour(in, [](TextColours& c, uint8_t v) { c.fore = v; });
}
void TextBackColor(Interpreter& in) {
  SetColour(in, [](TextColours& c, uint8_t v) { c.back = v; });
}
void TextTransColor(Interpreter& in) {
  SetColour(in, [](TextColours& c, uint8_t v) { c.transparent = v; });
}

void TextFontFromBitmap(Interpreter& in) {
  int32_t handle = in.ArgNumber();
  int32_t width = in.ArgNumber(), height = in.ArgNumber();
  int32_t first = in.ArgNumber(), last = in.ArgNumber();
  Bitmap* bitmap = handle == 0 ? nullptr : Bitmaps(in).Get(handle);
  if (handle != 0 && !bitmap) in.FailCommand(msg::kBadFrame);
  Screen* screen = ScreenSettings(in);
  if (!screen) return;
  screen->font =
      bitmap ? FontFromPixels(bitmap->View(), width, height, first, last) : BuiltinFont();
}

// Without a player window the built-in font and the first colours draw.
void BitmapText(Interpreter& in) {
  Bitmap& bitmap = ArgBitmap(in);
  int64_t x = in.ArgNumber(), y = in.ArgNumber();
  std::string text = in.ArgText();
  Screen* screen = ScreenSettings(in);
  static const Font kBuiltin = BuiltinFont();
  DrawText(bitmap.View(), screen ? screen->font : kBuiltin,
           screen ? screen->colours : TextColours{}, x, y, text);
}

}  // namespace kinet::script::cmd
