// How command families reach the player window. Handlers read their parameters through the
// interpreter (argument forms and errors as in scriptplayer/engine/interpreter.h).
#pragma once

namespace kinet::script {
class Interpreter;
class Screen;
}  // namespace kinet::script

namespace kinet::script::cmd {

// The open player window; reports the missing window when there is none.
Screen& OpenScreen(Interpreter& in);
// The window's settings and state, open or not; null for a player without windows.
Screen* ScreenSettings(Interpreter& in);

}  // namespace kinet::script::cmd
