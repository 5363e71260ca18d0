// Variables, the push stack and the debug trace. Handlers read their parameters through the
// interpreter (argument forms and errors as in scriptplayer/engine/interpreter.h).
#pragma once

#include "scriptplayer/commands/push_stack.h"
#include "scriptplayer/engine/family_state.h"

namespace kinet::script {
class Interpreter;
}

namespace kinet::script::cmd {

// VARPUSH and VARPOP: the saved variables.
struct VariableState : FamilyState {
  PushStack push_stack;
};

void VarFree(Interpreter& in);
void VarList(Interpreter& in);
void VarPop(Interpreter& in);
void VarPush(Interpreter& in);
void VarSet(Interpreter& in);
void DebugFile(Interpreter& in);
void DebugText(Interpreter& in);

}  // namespace kinet::script::cmd
