// COMPUTE, COMPUTEABS, COMPUTESQRT: 32-bit signed arithmetic that wraps and never traps.
#include "scriptplayer/commands/compute.h"

#include <cstdint>
#include <limits>

#include "scriptplayer/engine/integer_text.h"
#include "scriptplayer/engine/interpreter.h"
#include "scriptplayer/engine/messages.h"

namespace kinet::script::cmd {
namespace {

constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

int32_t Wrap(uint32_t bits) { return static_cast<int32_t>(bits); }

// Division truncates toward zero; by 0 it gives 0, and the one quotient that does not fit
// (the most negative value by -1) wraps to itself with remainder 0.
int32_t Apply(char op, int32_t a, int32_t b, bool& known) {
  uint32_t ua = static_cast<uint32_t>(a), ub = static_cast<uint32_t>(b);
  known = true;
  switch (op) {
    case '+':
      return Wrap(ua + ub);
    case '-':
      return Wrap(ua - ub);
    case '*':
      return Wrap(ua * ub);
    case '/':
      return b == 0 ? 0 : (a == kMin && b == -1 ? kMin : a / b);
    case '%':
      return b == 0 || (a == kMin && b == -1) ? 0 : a % b;
    case '|':
      return a | b;
    case '&':
      return a & b;
    case '^':
      return a ^ b;
    default:
      known = false;
      return 0;
  }
}

// Rounded square root of the value taken as unsigned: with k the largest integer whose square
// does not exceed n, k + 1 when n >= k (k + 1), else k. Exact in 64 bits up to 2^32 - 1.
uint32_t RoundedSqrt(uint32_t n) {
  if (n < 2) return n;
  uint64_t k = 65535;
  while (k * k > n) k = (k + n / k) / 2;
  while ((k + 1) * (k + 1) <= n) ++k;
  return static_cast<uint32_t>(n >= k * (k + 1) ? k + 1 : k);
}

}  // namespace

void Compute(Interpreter& in) {
  std::string name = in.ArgName();
  std::string token;
  TokenKind kind = in.Next(token, true);
  if (kind == TokenKind::kComparison && token == "=") {
    if (in.Next(token, true) != TokenKind::kNumber) in.FailCommand(msg::kNeedNumber);
  } else if (kind != TokenKind::kNumber) {
    in.FailCommand(msg::kComputeError);
  }
  int32_t a = ParseInteger(token);
  std::string op;
  if (in.Next(op, true) == TokenKind::kNone) in.FailCommand(msg::kNeedParameter);
  char operation = op.empty() ? '\0' : op[0];
  int32_t b;
  if (op.size() > 1 && op[0] == '-') {
    // "7 -2": the word "-2" is the operator and the second operand together.
    std::string_view rest = std::string_view(op).substr(1);
    if (!IsIntegerText(rest)) in.FailCommand(msg::kNeedNumber);
    b = ParseInteger(rest);
  } else {
    if (in.Next(token, true) != TokenKind::kNumber) in.FailCommand(msg::kNeedNumber);
    b = ParseInteger(token);
  }
  bool known;
  int32_t result = Apply(operation, a, b, known);
  if (!known) in.FailCommand(msg::kUnknownOperator);
  in.SetNumber(name, result);
}

void ComputeAbs(Interpreter& in) {
  std::string name = in.ArgName();
  int32_t value = in.ArgNumber();
  in.SetNumber(name, value < 0 ? Wrap(0u - static_cast<uint32_t>(value)) : value);
}

void ComputeSqrt(Interpreter& in) {
  std::string name = in.ArgName();
  uint32_t value = static_cast<uint32_t>(in.ArgNumber());
  in.SetNumber(name, RoundedSqrt(value));
}

}  // namespace kinet::script::cmd
