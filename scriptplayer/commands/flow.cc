// Jumps, subroutines, nested files and conditions.
#include "scriptplayer/commands/flow.h"

#include "scriptplayer/engine/integer_text.h"
#include "scriptplayer/engine/interpreter.h"
#include "scriptplayer/engine/messages.h"

namespace kinet::script::cmd {
namespace {

char FoldCase(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// -1, 0 or 1 as left is below, equal to or above right. Integer texts compare by value (a
// difference could overflow); other texts byte by byte, letters folded unless `exact`.
int Order(const std::string& left, const std::string& right, bool exact) {
  if (IsIntegerText(left) && IsIntegerText(right)) {
    int32_t a = ParseInteger(left), b = ParseInteger(right);
    return a < b ? -1 : (a > b ? 1 : 0);
  }
  size_t n = std::min(left.size(), right.size());
  for (size_t i = 0; i < n; ++i) {
    unsigned char a = exact ? left[i] : FoldCase(left[i]);
    unsigned char b = exact ? right[i] : FoldCase(right[i]);
    if (a != b) return a < b ? -1 : 1;
  }
  return left.size() == right.size() ? 0 : (left.size() < right.size() ? -1 : 1);
}

// Whether the relation holds for the order of left and right; any other operator is false.
bool Holds(std::string_view relation, int order) {
  if (relation == "=") return order == 0;
  if (relation == ">") return order > 0;
  if (relation == "<") return order < 0;
  if (relation == ">=") return order >= 0;
  if (relation == "<=") return order <= 0;
  if (relation == "<>") return order != 0;
  return false;
}

// Reads "left op right" and evaluates it; writes the condition trace.
bool ReadCondition(Interpreter& in) {
  std::string left, op, right;
  if (in.Next(left, true) == TokenKind::kNone) in.FailCommand(msg::kNeedParameter);
  if (in.Next(op, true) == TokenKind::kNone || op.empty()) in.FailCommand(msg::kNeedNonEmpty);
  if (in.Next(right, true) == TokenKind::kNone) in.FailCommand(msg::kNeedParameter);
  bool exact = op[0] == '@';
  std::string_view relation = std::string_view(op).substr(exact ? 1 : 0);
  bool result = Holds(relation, Order(left, right, exact));
  if (in.tracing()) in.Trace(result ? "  ***True " : "  ***False");
  return result;
}

// Runs a nested file; the caller's parameters, line buffer and file name survive it.
void RunNested(Interpreter& in, const std::string& file, const std::string* label) {
  Interpreter::CommandRegisters saved = in.SaveRegisters();
  bool ran = in.RunFile(file, label);
  in.RestoreRegisters(std::move(saved));
  if (!ran) in.FailCommand(msg::kErrorOpeningScript);
}

}  // namespace

void Call(Interpreter& in) {
  std::string file = in.ArgNonEmptyText();
  RunNested(in, file, nullptr);
}

void CallAndGosub(Interpreter& in) {
  std::string file = in.ArgNonEmptyText();
  std::string label = in.ArgNonEmptyText();
  RunNested(in, file, &label);
}

void End(Interpreter& in) {
  in.DiscardParameters();
  in.set_state(RunState::kEndAll);
}

void Exit(Interpreter& in) {
  in.DiscardParameters();
  in.set_state(RunState::kLeaveFile);
}

void Gosub(Interpreter& in) { in.Gosub(in.ArgNonEmptyText()); }

void Goto(Interpreter& in) { in.Jump(in.ArgNonEmptyText()); }

void If(Interpreter& in) {
  if (ReadCondition(in)) {
    in.SetPending(std::string(in.remaining()));
  } else {
    in.DiscardParameters();
  }
}

void IfSet(Interpreter& in) {
  bool result = ReadCondition(in);
  std::string name = in.ArgName();
  std::string if_true = in.ArgText();
  std::string if_false = in.ArgText();
  in.SetVariable(name, result ? if_true : if_false);
}

void Interpret(Interpreter& in) { in.SetPending(in.ArgText()); }

void Return(Interpreter& in) { in.Return(); }

}  // namespace kinet::script::cmd
