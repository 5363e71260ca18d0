#include "scriptplayer/commands/input.h"

#include <algorithm>
#include <optional>

#include "scriptplayer/commands/mouse.h"
#include "scriptplayer/commands/window.h"
#include "scriptplayer/engine/interpreter.h"
#include "scriptplayer/window/screen.h"

namespace kinet::script::cmd {
namespace {

constexpr uint32_t kInputSliceMs = 5;

// The next click: left releases (the area under the pointer, when there is one) before
// right ones.
std::optional<std::string> TakeClick(Interpreter& in, Screen& screen) {
  if (screen.left_releases > 0) {
    --screen.left_releases;
    std::string area = AreaUnderPointer(in);
    return area.empty() ? std::string("LEFT MOUSE") : area;
  }
  if (screen.right_releases > 0) {
    --screen.right_releases;
    return std::string("RIGHT MOUSE");
  }
  return std::nullopt;
}

// Draws the pointer, choosing its shape again when it has moved since the last choice.
void FollowPointer(Interpreter& in, Screen& screen) {
  MouseState& mouse = in.State<MouseState>();
  if (!screen.pointer_shown || mouse.chosen_x != screen.pointer_x ||
      mouse.chosen_y != screen.pointer_y) {
    mouse.chosen_x = screen.pointer_x;
    mouse.chosen_y = screen.pointer_y;
    ChoosePointer(in);
  }
  screen.pointer_shown = true;
  screen.PutPointerBack();
}

// Waits for input until `deadline` (none when empty), pumping; "DELAY" when it passes.
std::string WaitForInput(Interpreter& in, std::optional<uint32_t> deadline) {
  platform::Clock& clock = in.host().clock();
  for (;;) {
    in.Pump();
    Screen* screen = in.host().screen();
    if (!screen || !screen->IsOpen()) in.RequireWindow();
    if (auto code = screen->keys.Take()) return KeyName(*code);
    FollowPointer(in, *screen);
    if (auto input = TakeClick(in, *screen)) return *input;
    if (deadline && static_cast<int32_t>(*deadline - clock.NowMs()) <= 0) return "DELAY";
    clock.SleepMs(kInputSliceMs);
  }
}

// The next key code, waiting for it.
uint8_t WaitForKey(Interpreter& in) {
  for (;;) {
    in.Pump();
    Screen* screen = in.host().screen();
    if (!screen || !screen->IsOpen()) in.RequireWindow();
    if (auto code = screen->keys.Take()) return *code;
    in.host().clock().SleepMs(kInputSliceMs);
  }
}

}  // namespace

std::string KeyName(uint8_t code) {
  switch (code) {
    case 13:
    case 10:
      return "ENTER";
    case 8:
    case 127:
      return "BACKSPACE";
    case 9:
      return "TAB";
    case 27:
      return "ESCAPE";
    case 32:
      return "SPACE";
    case 137:
      return "BACKTAB";
    case 161:
      return "PAGEUP";
    case 162:
      return "PAGEDOWN";
    case 163:
      return "END";
    case 164:
      return "HOME";
    case 165:
      return "LEFT";
    case 166:
      return "UP";
    case 167:
      return "RIGHT";
    case 168:
      return "DOWN";
    case 173:
      return "INSERT";
    case 174:
      return "DELETE";
    default:
      break;
  }
  if (code >= 208 && code <= 217) return "F" + std::to_string(code - 207);
  if (code >= 218 && code <= 227) return "SHIFT F" + std::to_string(code - 217);
  if (code >= 228 && code <= 237) return "CONTROL F" + std::to_string(code - 227);
  if (code >= 238 && code <= 247) return "ALT F" + std::to_string(code - 237);
  return std::string(1, static_cast<char>(code));
}

void InputChar(Interpreter& in) {
  std::string name = in.ArgName();
  OpenScreen(in);
  in.SetVariable(name, WaitForInput(in, std::nullopt));
}

void InputCharOrDelay(Interpreter& in) {
  std::string name = in.ArgName();
  int32_t ms = in.ArgNumber();
  OpenScreen(in);
  std::optional<uint32_t> deadline;
  if (ms != -1) deadline = in.host().clock().NowMs() + static_cast<uint32_t>(ms);
  in.SetVariable(name, WaitForInput(in, deadline));
}

}  // namespace kinet::script::cmd

namespace kinet::script::cmd {

std::string ReadLine(Interpreter& in, int32_t length) {
  constexpr int32_t kLongestLine = 255;
  length = std::clamp(length, 0, kLongestLine);
  std::string line;
  for (;;) {
    uint8_t code = WaitForKey(in);
    Screen& screen = OpenScreen(in);
    if (code == 13) return line;
    if (code == 27) return "";
    if (code == 8 && !line.empty()) {
      line.pop_back();
      screen.WriteText("\b");
    } else if (code >= 32 && int32_t(line.size()) < length) {
      line += char(code);
      screen.WriteText(std::string(1, char(code)));
    }
  }
}

void InputStr(Interpreter& in) {
  std::string name = in.ArgName();
  int32_t length = in.ArgNumber();
  std::string prompt = in.ArgText();
  OpenScreen(in).WriteText(prompt);
  std::string line = ReadLine(in, length);
  OpenScreen(in).WriteText("\n");
  in.SetVariable(name, line);
}

}  // namespace kinet::script::cmd
