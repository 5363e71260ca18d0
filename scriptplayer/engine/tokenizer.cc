#include "scriptplayer/engine/tokenizer.h"

#include "scriptplayer/engine/integer_text.h"

namespace kinet::script {
namespace {

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsComparisonByte(char c) { return c == '=' || c == '<' || c == '>'; }

// The name between the first run of '%' and the next '%' in one word, or "" when none.
std::string_view ReferenceIn(std::string_view word) {
  if (word.size() <= 2) return {};
  size_t first = word.find('%');
  if (first == std::string_view::npos) return {};
  size_t start = word.find_first_not_of('%', first);
  if (start == std::string_view::npos) return {};
  size_t close = word.find('%', start);
  if (close == std::string_view::npos) return {};
  return word.substr(start, close - start);
}

// The first reference found walking the text word by word.
std::string_view FirstReference(std::string_view text) {
  size_t at = 0;
  while (at < text.size()) {
    while (at < text.size() && IsBlank(text[at])) ++at;
    size_t end = at;
    while (end < text.size() && !IsBlank(text[end])) ++end;
    std::string_view name = ReferenceIn(text.substr(at, end - at));
    if (!name.empty()) return name;
    at = end;
  }
  return {};
}

size_t ComparisonLength(std::string_view text) {
  size_t n = 0;
  if (n < text.size() && text[n] == '@') ++n;
  if (n < text.size() && text[n] == '<') ++n;
  if (n < text.size() && text[n] == '>') ++n;
  if (n < text.size() && text[n] == '=') ++n;
  return n;
}

bool IsOperatorAt(std::string_view text) {
  switch (text[0]) {
    case '*':
    case '/':
    case '+':
    case '|':
    case '^':
    case '%':
    case '&':
      return true;
    case '-':
      return text.size() < 2 || !IsDigit(text[1]);
    default:
      return false;
  }
}

void SkipSeparators(std::string_view& text) {
  while (!text.empty() && IsSeparator(text.front())) text.remove_prefix(1);
}

}  // namespace

std::string ExpandReferences(std::string_view token, const VariableStore& variables) {
  std::string result(token);
  for (int round = 0; round < kMaxExpansions; ++round) {
    std::string_view name_view = FirstReference(result);
    if (name_view.empty()) break;
    std::string reference = "%" + std::string(name_view) + "%";
    std::string_view value = variables.Get(name_view);
    size_t before = result.size();
    result.replace(result.find(reference), reference.size(), value);
    if (result.size() > before && result.size() > kMaxExpandedLength) break;
  }
  return result;
}

TokenKind NextToken(std::string_view& text, bool resolve, const VariableStore& variables,
                    std::string& out) {
  out.clear();
  SkipSeparators(text);
  if (text.empty()) return TokenKind::kNone;
  TokenKind kind;
  char first = text[0];
  if (first == '"' || first == '\'') {
    size_t close = text.find(first, 1);
    size_t end = close == std::string_view::npos ? text.size() : close;
    out = ExpandReferences(text.substr(1, end - 1), variables);
    text.remove_prefix(close == std::string_view::npos ? end : end + 1);
    kind = TokenKind::kText;
  } else if (IsComparisonByte(first) ||
             (first == '@' && text.size() > 1 && IsComparisonByte(text[1]))) {
    size_t n = ComparisonLength(text);
    out.assign(text.substr(0, n));
    text.remove_prefix(n);
    kind = TokenKind::kComparison;
  } else if (IsOperatorAt(text)) {
    out.assign(1, first);
    text.remove_prefix(1);
    kind = TokenKind::kOperator;
  } else {
    size_t n = first == '-' ? 1 : 0;
    while (n < text.size() && (IsLetter(text[n]) || IsDigit(text[n]))) ++n;
    out.assign(text.substr(0, n));
    text.remove_prefix(n);
    if (!resolve) {
      kind = TokenKind::kName;
    } else {
      if (!out.empty() && IsLetter(out[0])) out.assign(variables.Get(out));
      kind = IsIntegerText(out) ? TokenKind::kNumber : TokenKind::kText;
    }
    // An empty word consumed nothing; the separators after it stay too.
    if (n == 0) return kind;
  }
  SkipSeparators(text);
  return kind;
}

}  // namespace kinet::script
