// Variables, the push stack and the debug trace.
#include "scriptplayer/commands/variables.h"

#include "scriptplayer/engine/integer_text.h"
#include "scriptplayer/engine/interpreter.h"
#include "scriptplayer/engine/messages.h"

namespace kinet::script::cmd {
namespace {

// Name lists end at the end of the text, a comment or a ';'. A byte that starts no token
// consumes nothing and would end the list forever, so it is left for the leftover check.
bool MoreNames(Interpreter& in) {
  std::string_view rest = in.remaining();
  return !rest.empty() && rest[0] != '#' && rest[0] != ';';
}

}  // namespace

void VarSet(Interpreter& in) {
  std::string name = in.ArgName();
  std::string value;
  TokenKind kind = in.Next(value, true);
  if (kind == TokenKind::kComparison && value == "=") kind = in.Next(value, true);
  if (kind == TokenKind::kNone) in.FailCommand(msg::kNeedParameter);
  in.SetVariable(name, value);
}

void VarFree(Interpreter& in) {
  while (MoreNames(in)) {
    std::string name = in.ArgName();
    in.SetVariable(name, "");
  }
}

void VarPush(Interpreter& in) {
  std::string name = in.ArgName();
  PushStack& stack = in.State<VariableState>().push_stack;
  bool opened = stack.OpenFrame();
  for (;;) {
    std::string upper = CleanName(name);
    if (opened) stack.Save(upper, std::string(in.GetVariable(upper)));
    if (!MoreNames(in)) break;
    name = in.ArgName();
  }
}

void VarPop(Interpreter& in) {
  in.DiscardParameters();
  std::vector<std::pair<std::string, std::string>> saved;
  if (!in.State<VariableState>().push_stack.Pop(saved)) return;
  for (const auto& [name, value] : saved) in.SetVariable(name, value);
}

void VarList(Interpreter& in) {
  std::vector<std::string> lines;
  for (const auto& [name, value] : in.variables().List()) lines.push_back(name + "=" + value);
  in.List(lines);
}

// Without a name (or with an empty one) tracing stops.
void DebugFile(Interpreter& in) {
  std::string name;
  in.Next(name, true);
  in.OpenDebugFile(name);
}

void DebugText(Interpreter& in) {
  std::string text = in.ArgText();
  if (!in.tracing()) return;
  in.Trace("\r\n" + text + "\r\n");
  in.FlushTrace();
}

}  // namespace kinet::script::cmd
