// 32-bit signed arithmetic. Handlers read their parameters through the interpreter
// (argument forms and errors as in scriptplayer/engine/interpreter.h).
#pragma once

namespace kinet::script {
class Interpreter;
}

namespace kinet::script::cmd {

void Compute(Interpreter& in);
void ComputeAbs(Interpreter& in);
void ComputeSqrt(Interpreter& in);

}  // namespace kinet::script::cmd
