// The tokenizer that every command uses to read its parameters. Separators are the bytes up
// to 32 and the comma. Forms: quoted text, comparison operator, arithmetic operator, word.
#pragma once

#include <string>
#include <string_view>

#include "scriptplayer/engine/variable_store.h"

namespace kinet::script {

enum class TokenKind {
  kNone,        // nothing left
  kText,        // quoted text, or a resolved word that is not an integer text
  kComparison,  // [@][<][>][=]
  kOperator,    // one of * / + | ^ % & and '-' not before a digit
  kName,        // a word, read without resolving
  kNumber,      // a resolved word that is an integer text
};

// Reads the next token from `text` into `out` and removes it and the separators after it from
// `text`. With `resolve` on, a word that starts with a letter is replaced by the value of the
// variable of that name. A byte that starts no form gives an empty word and consumes nothing.
TokenKind NextToken(std::string_view& text, bool resolve, const VariableStore& variables,
                    std::string& out);

// Expands %NAME% references inside a quoted token. The walk restarts after each replacement,
// so a value that holds a reference is expanded too. A value that refers to itself would do
// so forever: expansion stops after kMaxExpansions replacements, or once a replacement made
// the text longer than kMaxExpandedLength; the text is then kept as it is.
std::string ExpandReferences(std::string_view token, const VariableStore& variables);

inline constexpr int kMaxExpansions = 32;
inline constexpr size_t kMaxExpandedLength = 1024;

inline bool IsSeparator(char c) { return static_cast<unsigned char>(c) <= 32 || c == ','; }

}  // namespace kinet::script
