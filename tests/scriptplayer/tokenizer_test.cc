// The tokenizer's forms, the resolve flag, and %NAME% expansion.
#include "scriptplayer/engine/tokenizer.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "scriptplayer/engine/integer_text.h"

namespace kinet::script {
namespace {

std::vector<std::pair<TokenKind, std::string>> Tokens(std::string_view text, bool resolve,
                                                      const VariableStore& vars) {
  std::vector<std::pair<TokenKind, std::string>> out;
  for (int guard = 0; guard < 20; ++guard) {
    std::string token;
    size_t before = text.size();
    TokenKind kind = NextToken(text, resolve, vars, token);
    if (kind == TokenKind::kNone) break;
    out.emplace_back(kind, token);
    if (text.size() == before) break;  // a byte that starts no form
  }
  return out;
}

using K = TokenKind;

TEST(TokenizerTest, AllFormsWithoutResolving) {
  VariableStore vars;
  auto tokens = Tokens(" \"a b\",'c\"d' @<>= <= > * - -5 -x Name7 12 !rest", false, vars);
  std::vector<std::pair<K, std::string>> expected = {
      {K::kText, "a b"},     {K::kText, "c\"d"},  {K::kComparison, "@<>="}, {K::kComparison, "<="},
      {K::kComparison, ">"}, {K::kOperator, "*"}, {K::kOperator, "-"},      {K::kName, "-5"},
      {K::kOperator, "-"},   {K::kName, "x"},     {K::kName, "Name7"},      {K::kName, "12"},
      {K::kName, ""},
  };
  EXPECT_EQ(tokens, expected);
}

TEST(TokenizerTest, ResolvingReplacesLetterWordsByVariables) {
  VariableStore vars;
  vars.Set("count", "42");
  vars.Set("WORD", "hello");
  vars.Set("PADDED", " -7");
  auto tokens = Tokens("COUNT word padded missing 12 -3 3x \"99\" .", true, vars);
  std::vector<std::pair<K, std::string>> expected = {
      {K::kNumber, "42"}, {K::kText, "hello"}, {K::kNumber, " -7"},
      {K::kText, ""},     {K::kNumber, "12"},  {K::kNumber, "-3"},
      {K::kText, "3x"},   {K::kText, "99"},    {K::kText, ""},
  };
  EXPECT_EQ(tokens, expected);
}

TEST(TokenizerTest, UnclosedQuoteRunsToTheEndAndNothingIsConsumedByAStrayByte) {
  VariableStore vars;
  std::string_view text = "'open text";
  std::string token;
  EXPECT_EQ(NextToken(text, false, vars, token), K::kText);
  EXPECT_EQ(token, "open text");
  EXPECT_TRUE(text.empty());
  text = "_x";
  EXPECT_EQ(NextToken(text, false, vars, token), K::kName);
  EXPECT_EQ(text, "_x");
}

TEST(TokenizerTest, IntegerTexts) {
  for (const char* yes : {"0", "-", "-12", " 5", "\t-3", "007"}) EXPECT_TRUE(IsIntegerText(yes));
  for (const char* no : {"", " ", "  5", "5 ", "+5", "1.5", "--1", "x"})
    EXPECT_FALSE(IsIntegerText(no)) << no;
  EXPECT_EQ(ParseInteger("-"), 0);
  EXPECT_EQ(ParseInteger("2147483647"), 2147483647);
  EXPECT_EQ(ParseInteger("-2147483648"), INT32_MIN);
  EXPECT_EQ(ParseInteger("99999999999"), INT32_MAX);
}

TEST(TokenizerTest, ExpansionWordByWordAndAgainAfterEachReplacement) {
  VariableStore vars;
  vars.Set("NAME", "World");
  vars.Set("OUTER", "<%NAME%>");
  vars.Set("A", "1");
  EXPECT_EQ(ExpandReferences("Hello %name%!", vars), "Hello World!");
  EXPECT_EQ(ExpandReferences("(%OUTER%)", vars), "(<World>)");
  EXPECT_EQ(ExpandReferences("100% of 50%", vars), "100% of 50%");
  EXPECT_EQ(ExpandReferences("%A% %a%", vars), "1 1");
  EXPECT_EQ(ExpandReferences("%MISSING%end", vars), "end");
  EXPECT_EQ(ExpandReferences("%A", vars), "%A");
}

TEST(TokenizerTest, SelfReferenceEndsWithinBounds) {
  VariableStore vars;
  vars.Set("LOOP", "%LOOP%");
  EXPECT_EQ(ExpandReferences("%LOOP%", vars), "%LOOP%");
  vars.Set("GROW", "ab%GROW%%GROW%");
  std::string grown = ExpandReferences("%GROW%", vars);
  EXPECT_LE(grown.size(), kMaxExpandedLength + 14);
  // Long texts without references are never cut.
  std::string long_text(5000, 'x');
  EXPECT_EQ(ExpandReferences(long_text, vars), long_text);
}

TEST(VariableStoreTest, SetReplaceRemoveAndOrder) {
  VariableStore vars;
  vars.Set(" ab ", "1");
  vars.Set("CD", "22");
  vars.Set("AB", "333");
  EXPECT_EQ(vars.Get("ab"), "333");
  vars.Set("Ab", "");
  EXPECT_EQ(vars.Get("AB"), "");
  vars.Set("NEW", "");
  std::vector<std::pair<std::string, std::string>> expected = {{"CD", "22"}};
  EXPECT_EQ(vars.List(), expected);
  // A name that is the tail of another does not match it.
  vars.Set("XCD", "9");
  EXPECT_EQ(vars.Get("CD"), "22");
}

TEST(VariableStoreTest, TheEndMarkerAlwaysFits) {
  VariableStore vars;
  // An entry takes its name, its value and two marks; the end marker two more bytes.
  std::string big(VariableStore::kCapacity - 2 - 3 - 4, 'v');
  vars.Set("A", big);
  EXPECT_EQ(vars.used_bytes(), VariableStore::kCapacity - 4);
  vars.Set("B", "12");  // needs 5 bytes, 4 are left: dropped
  EXPECT_EQ(vars.Get("B"), "");
  vars.Set("B", "1");  // exactly fills the store
  EXPECT_EQ(vars.Get("B"), "1");
  EXPECT_EQ(vars.used_bytes(), VariableStore::kCapacity);
  vars.Set("A", big + "x");  // growing past the limit keeps the old value
  EXPECT_EQ(vars.Get("A").size(), big.size());
  vars.Set("A", "short");
  vars.Set("C", "3");
  EXPECT_EQ(vars.Get("C"), "3");
}

TEST(VariableStoreTest, MarkerBytesInValuesCannotBreakTheStore) {
  VariableStore vars;
  vars.Set("A", std::string("x\xFF"
                            "B\xFE"
                            "evil",
                            8));
  vars.Set("B", "good");
  vars.Set("C", std::string("cut\0here", 8));
  EXPECT_EQ(vars.Get("A"), "x?B?evil");
  EXPECT_EQ(vars.Get("B"), "good");
  EXPECT_EQ(vars.Get("C"), "cut");
  EXPECT_EQ(vars.List().size(), 3u);
}

}  // namespace
}  // namespace kinet::script
