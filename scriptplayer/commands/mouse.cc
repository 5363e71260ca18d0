#include "scriptplayer/commands/mouse.h"

#include "platform/display/window.h"
#include "scriptplayer/commands/bitmaps.h"
#include "scriptplayer/commands/window.h"
#include "scriptplayer/engine/interpreter.h"
#include "scriptplayer/engine/messages.h"
#include "scriptplayer/window/screen.h"

namespace kinet::script::cmd {
namespace {

constexpr size_t kLongestName = 31;
constexpr std::string_view kCouldNotAdd = "  Could not add mouse area in command:\r\n    ";

}  // namespace

const MouseArea* MouseState::Hit(int64_t x, int64_t y) const {
  for (size_t i = areas.size(); i > base; --i) {
    const MouseArea& a = areas[i - 1];
    if (x >= a.left && x < a.right && y >= a.top && y < a.bottom) return &a;
  }
  return nullptr;
}

std::string AreaUnderPointer(Interpreter& in) {
  Screen* screen = ScreenSettings(in);
  if (!screen) return "";
  const MouseArea* a = in.State<MouseState>().Hit(screen->pointer_x, screen->pointer_y);
  return a ? a->name : "";
}

void ChoosePointer(Interpreter& in) {
  Screen* screen = ScreenSettings(in);
  if (!screen) return;
  const MouseArea* a = in.State<MouseState>().Hit(screen->pointer_x, screen->pointer_y);
  Bitmap* picture = a && a->bitmap ? Bitmaps(in).Get(a->bitmap) : nullptr;
  if (picture) {
    screen->pointer.UsePicture(picture->View());
  } else {
    screen->pointer.UseArrow();
  }
}

void MouseAdd(Interpreter& in) {
  std::string name = in.ArgNonEmptyText().substr(0, kLongestName);
  int64_t x = in.ArgNumber(), y = in.ArgNumber(), w = in.ArgNumber(), h = in.ArgNumber();
  int32_t bitmap = in.ArgNumber();
  if (bitmap != 0 && !Bitmaps(in).Get(bitmap)) in.FailCommand(msg::kBadFrame);
  MouseState& state = in.State<MouseState>();
  if (state.areas.size() >= MouseState::kAreas) in.FailCommand(kCouldNotAdd);
  Screen* screen = ScreenSettings(in);
  const int64_t ox = screen ? screen->origin_x : 0, oy = screen ? screen->origin_y : 0;
  state.areas.push_back({name, x + ox, y + oy, x + ox + w, y + oy + h, bitmap});
  ChoosePointer(in);
}

void MouseRemove(Interpreter& in) {
  std::string name = in.ArgText();
  MouseState& state = in.State<MouseState>();
  std::erase_if(state.areas, [&, i = size_t{0}](const MouseArea& a) mutable {
    return i++ >= state.base && a.name == name;
  });
  ChoosePointer(in);
}

void MouseRemoveAll(Interpreter& in) {
  MouseState& state = in.State<MouseState>();
  state.areas.resize(state.base);
  ChoosePointer(in);
}

void MousePushAndRemoveAll(Interpreter& in) {
  MouseState& state = in.State<MouseState>();
  if (state.levels.size() >= MouseState::kLevels) return;
  state.levels.push_back(state.base);
  state.base = state.areas.size();
  ChoosePointer(in);
}

void MousePop(Interpreter& in) {
  MouseState& state = in.State<MouseState>();
  if (state.levels.empty()) return;
  state.areas.resize(state.base);
  state.base = state.levels.back();
  state.levels.pop_back();
  ChoosePointer(in);
}

void MouseAreaCommand(Interpreter& in) {
  std::string name = in.ArgName();
  in.SetVariable(name, AreaUnderPointer(in));
}

void MouseMode(Interpreter& in) { (void)in.ArgNumber(); }

void MousePresent(Interpreter& in) {
  std::string name = in.ArgName();
  in.SetNumber(name, ScreenSettings(in) ? 1 : 0);
}

void MouseX(Interpreter& in) {
  std::string name = in.ArgName();
  Screen& screen = OpenScreen(in);
  in.SetNumber(name, int64_t{screen.pointer_x} - screen.origin_x);
}

void MouseY(Interpreter& in) {
  std::string name = in.ArgName();
  Screen& screen = OpenScreen(in);
  in.SetNumber(name, int64_t{screen.pointer_y} - screen.origin_y);
}

// The system pointer moves there (x, y of the window) and the drawn one with it.
void MouseSetXY(Interpreter& in) {
  int32_t x = in.ArgNumber(), y = in.ArgNumber();
  Screen* screen = ScreenSettings(in);
  if (!screen || !screen->IsOpen()) return;
  platform::MoveSystemPointer(screen->window(), x, y);
  screen->pointer_x = x;
  screen->pointer_y = y;
  ChoosePointer(in);
}

// Every display here shows 24-bit colour.
void SystemColors(Interpreter& in) { in.SetNumber(in.ArgName(), int64_t{1} << 24); }

}  // namespace kinet::script::cmd
