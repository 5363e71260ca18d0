// Jumps, subroutines, nested files, conditions. Handlers read their parameters through the
// interpreter (argument forms and errors as in scriptplayer/engine/interpreter.h).
#pragma once

namespace kinet::script {
class Interpreter;
}

namespace kinet::script::cmd {

void Call(Interpreter& in);
void CallAndGosub(Interpreter& in);
void End(Interpreter& in);
void Exit(Interpreter& in);
void Gosub(Interpreter& in);
void Goto(Interpreter& in);
void If(Interpreter& in);
void IfSet(Interpreter& in);
void Interpret(Interpreter& in);
void Return(Interpreter& in);

}  // namespace kinet::script::cmd
