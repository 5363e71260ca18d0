// The commands that need the player window, which this player does not open yet.
#include "scriptplayer/commands/window.h"

#include "scriptplayer/engine/interpreter.h"

namespace kinet::script::cmd {

void NeedsWindow(Interpreter& in) {
  in.RequireWindow();
  in.DiscardParameters();
}

}  // namespace kinet::script::cmd
