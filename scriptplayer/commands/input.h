// Waiting for keys and clicks, and line input. Handlers read their parameters through the
// interpreter (argument forms and errors as in scriptplayer/engine/interpreter.h).
#pragma once

#include <cstdint>
#include <string>

namespace kinet::script {
class Interpreter;
}

namespace kinet::script::cmd {

// The name INPUTCHAR stores for a key code of the window.
std::string KeyName(uint8_t code);

// Reads a typed line at the text cursor: characters are echoed while fewer than `length` (at
// most 255) are in, backspace takes the last one back, Enter ends, Escape gives the empty text.
std::string ReadLine(Interpreter& in, int32_t length);

void InputChar(Interpreter& in);         // -> name
void InputCharOrDelay(Interpreter& in);  // -> name, n ms (-1: no deadline)
void InputStr(Interpreter& in);          // -> name, n length, text prompt

}  // namespace kinet::script::cmd
