// Text functions. Handlers read their parameters through the interpreter
// (argument forms and errors as in scriptplayer/engine/interpreter.h).
#pragma once

namespace kinet::script {
class Interpreter;
}

namespace kinet::script::cmd {

void StrAddBackslash(Interpreter& in);
void StrFind(Interpreter& in);
void StrFirst(Interpreter& in);
void StrIsLabel(Interpreter& in);
void StrIsNumeric(Interpreter& in);
void StrLCase(Interpreter& in);
void StrLength(Interpreter& in);
void StrLPad(Interpreter& in);
void StrLPadZero(Interpreter& in);
void StrPiece(Interpreter& in);
void StrRepeat(Interpreter& in);
void StrRPad(Interpreter& in);
void StrTrim(Interpreter& in);
void StrUCase(Interpreter& in);

}  // namespace kinet::script::cmd
