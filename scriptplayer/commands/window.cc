#include "scriptplayer/commands/window.h"

#include "scriptplayer/engine/interpreter.h"

namespace kinet::script::cmd {

Screen& OpenScreen(Interpreter& in) {
  in.RequireWindow();
  return *in.host().screen();
}

Screen* ScreenSettings(Interpreter& in) { return in.host().screen(); }

void NeedsWindow(Interpreter& in) {
  in.RequireWindow();
  in.DiscardParameters();
}

}  // namespace kinet::script::cmd
