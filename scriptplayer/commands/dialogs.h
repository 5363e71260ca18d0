// Asking the user in a box: a system message box with buttons, and line input in a small box
// of its own. Handlers read their parameters through the interpreter (argument forms and
// errors as in scriptplayer/engine/interpreter.h).
#pragma once

#include <cstdint>

namespace kinet::platform {
struct BoxRequest;
}

namespace kinet::script {
class Interpreter;
}

namespace kinet::script::cmd {

// The buttons and icon the bits 1 OK, 2 Cancel, 4 Yes, 8 No choose.
void ChooseButtons(int32_t bits, platform::BoxRequest& request);

void InputMsgWin(Interpreter& in);  // -> name, n x, n y, n buttons, text
void InputStrWin(Interpreter& in);  // -> name, n x, n y, n length, text prompt

}  // namespace kinet::script::cmd
