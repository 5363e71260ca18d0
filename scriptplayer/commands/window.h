// The commands that need the player window. Handlers read their parameters through the interpreter
// (argument forms and errors as in scriptplayer/engine/interpreter.h).
#pragma once

namespace kinet::script {
class Interpreter;
}

namespace kinet::script::cmd {

// The screen, animation, input, mouse and sound commands: they need the player window, which
// this player does not open yet, so each reports the missing window.
void NeedsWindow(Interpreter& in);

}  // namespace kinet::script::cmd
