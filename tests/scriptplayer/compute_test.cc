// Arithmetic and conditions: wrapping, division by zero, rounding square roots, comparisons.
#include <gtest/gtest.h>

#include "tests/scriptplayer/script_runner.h"

namespace kinet::script {
namespace {

using testing::ScriptRunner;

std::string Eval(const std::string& line, const std::string& variable = "X") {
  ScriptRunner r;
  RunOutcome out = r.Run(line + "\n");
  if (out.kind != RunOutcome::kFinished) return "error: " + out.error_text;
  return r.Var(variable);
}

TEST(ComputeTest, OperatorsAndForms) {
  EXPECT_EQ(Eval("COMPUTE X = 7 + 2"), "9");
  EXPECT_EQ(Eval("COMPUTE X 7 - 2"), "5");
  EXPECT_EQ(Eval("COMPUTE X 7 -2"), "5");
  EXPECT_EQ(Eval("COMPUTE X = -7 * 3"), "-21");
  EXPECT_EQ(Eval("COMPUTE X = -7 / 2"), "-3");
  EXPECT_EQ(Eval("COMPUTE X = -7 % 2"), "-1");
  EXPECT_EQ(Eval("COMPUTE X = 7 % -2"), "1");
  EXPECT_EQ(Eval("COMPUTE X = 12 | 3"), "15");
  EXPECT_EQ(Eval("COMPUTE X = 12 & 6"), "4");
  EXPECT_EQ(Eval("COMPUTE X = 12 ^ 6"), "10");
  EXPECT_EQ(Eval("VARSET A 40 ; COMPUTE X A + A"), "80");
}

TEST(ComputeTest, DivisionByZeroGivesZero) {
  EXPECT_EQ(Eval("COMPUTE X = 7 / 0"), "0");
  EXPECT_EQ(Eval("COMPUTE X = 7 % 0"), "0");
}

TEST(ComputeTest, WrapsWithoutTrapping) {
  EXPECT_EQ(Eval("COMPUTE X = 2147483647 + 1"), "-2147483648");
  EXPECT_EQ(Eval("COMPUTE X = -2147483648 - 1"), "2147483647");
  EXPECT_EQ(Eval("COMPUTE X = 65536 * 65536"), "0");
  EXPECT_EQ(Eval("COMPUTE X = -2147483648 / -1"), "-2147483648");
  EXPECT_EQ(Eval("COMPUTE X = -2147483648 % -1"), "0");
  EXPECT_EQ(Eval("COMPUTEABS X -2147483648"), "-2147483648");
  EXPECT_EQ(Eval("COMPUTEABS X -5"), "5");
  EXPECT_EQ(Eval("COMPUTEABS X 5"), "5");
}

TEST(ComputeTest, RoundedSquareRoot) {
  const std::pair<const char*, const char*> cases[] = {
      {"0", "0"},
      {"1", "1"},
      {"2", "2"},
      {"6", "3"},
      {"8", "3"},
      {"16", "4"},
      {"20", "5"},
      {"-65537", "65535"},  // 4294901759 unsigned: just below
                            // 65535 x 65536
      {"-65536", "65536"},  // 4294901760 unsigned: exactly 65535 x 65536
      {"-1", "65536"},      // 4294967295 unsigned: must not overshoot or wrap
  };
  for (const auto& [in, out] : cases) {
    EXPECT_EQ(Eval(std::string("COMPUTESQRT X ") + in), out) << in;
  }
}

TEST(ConditionTest, NumbersCompareByValueWithoutOverflow) {
  EXPECT_EQ(Eval("IFSET 10 > 9 X 1 0"), "1");
  EXPECT_EQ(Eval("IFSET 2147483647 > -1 X 1 0"), "1");
  EXPECT_EQ(Eval("IFSET -2147483648 < 1 X 1 0"), "1");
  EXPECT_EQ(Eval("IFSET 007 = 7 X 1 0"), "1");
}

TEST(ConditionTest, TextsCompareFoldedUnlessExact) {
  EXPECT_EQ(Eval("IFSET \"abc\" = \"ABC\" X 1 0"), "1");
  EXPECT_EQ(Eval("IFSET \"abc\" @= \"ABC\" X 1 0"), "0");
  EXPECT_EQ(Eval("IFSET \"abc\" @> \"ABC\" X 1 0"), "1");
  EXPECT_EQ(Eval("IFSET \"10\" < \"9\" X 1 0"), "0");   // integer texts, even when quoted
  EXPECT_EQ(Eval("IFSET \"10\" < \"9x\" X 1 0"), "1");  // one side is text: byte order
  EXPECT_EQ(Eval("IFSET \"ab\" < \"abc\" X 1 0"), "1");
  EXPECT_EQ(Eval("IFSET \"_\" > \"a\" X 1 0"), "1");  // 'a' folds to 'A', below '_'
}

TEST(ConditionTest, EveryOperatorAndUnknownOnesAreFalse) {
  const std::pair<const char*, const char*> cases[] = {
      {"1 = 1", "1"}, {"1 <> 2", "1"}, {"1 <> 1", "0"},  {"1 <= 1", "1"},  {"2 >= 3", "0"},
      {"1 < 2", "1"}, {"1 > 2", "0"},  {"1 <>= 1", "0"}, {"1 @<= 1", "1"},
  };
  for (const auto& [condition, result] : cases) {
    EXPECT_EQ(Eval(std::string("IFSET ") + condition + " X 1 0"), result) << condition;
  }
}

}  // namespace
}  // namespace kinet::script
