#include "scriptplayer/commands/window.h"

#include "scriptplayer/engine/interpreter.h"

namespace kinet::script::cmd {

Screen& OpenScreen(Interpreter& in) {
  in.RequireWindow();
  return *in.host().screen();
}

Screen* ScreenSettings(Interpreter& in) { return in.host().screen(); }

}  // namespace kinet::script::cmd
