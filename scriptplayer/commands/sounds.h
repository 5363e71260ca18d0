// Tones and the choice of the sound driver. Handlers read their parameters through the
// interpreter (argument forms and errors as in scriptplayer/engine/interpreter.h).
#pragma once

namespace kinet::script {
class Interpreter;
}

namespace kinet::script::cmd {

void Sound(Interpreter& in);                 // n frequency, n ms
void SystemUseDirectSound(Interpreter& in);  // (none)

}  // namespace kinet::script::cmd
