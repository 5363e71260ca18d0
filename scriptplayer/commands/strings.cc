// Text functions. Positions are 1-based; results go to the first (name) parameter.
#include "scriptplayer/commands/strings.h"

#include <algorithm>

#include "scriptplayer/commands/path_text.h"
#include "scriptplayer/engine/integer_text.h"
#include "scriptplayer/engine/interpreter.h"

namespace kinet::script::cmd {
namespace {

// Widths and counts come from scripts; results are held to what a variable can store.
constexpr int32_t kLongestResult = static_cast<int32_t>(VariableStore::kCapacity);

char Fold(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// name, text -> transformed text.
template <typename Transform>
void MapText(Interpreter& in, Transform transform) {
  std::string name = in.ArgName();
  std::string text = in.ArgText();
  in.SetVariable(name, transform(std::move(text)));
}

// name, n width, text: padded with `fill` on the left or the right up to width characters.
void Pad(Interpreter& in, char fill, bool left) {
  std::string name = in.ArgName();
  int32_t width = std::min(in.ArgNumber(), kLongestResult);
  std::string text = in.ArgText();
  if (static_cast<int64_t>(text.size()) < width) {
    std::string padding(static_cast<size_t>(width) - text.size(), fill);
    text = left ? padding + text : text + padding;
  }
  in.SetVariable(name, text);
}

}  // namespace

void StrLength(Interpreter& in) {
  std::string name = in.ArgName();
  in.SetNumber(name, static_cast<int64_t>(in.ArgText().size()));
}

void StrFind(Interpreter& in) {
  std::string name = in.ArgName();
  bool ignore_case = in.ArgNumber() != 0;
  std::string needle = in.ArgText();
  std::string haystack = in.ArgText();
  auto equal = [ignore_case](char a, char b) { return ignore_case ? Fold(a) == Fold(b) : a == b; };
  auto it = std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end(), equal);
  in.SetNumber(name, it == haystack.end() ? 0 : (it - haystack.begin()) + 1);
}

void StrFirst(Interpreter& in) {
  std::string first = in.ArgName();
  std::string second = in.ArgName();
  std::string separators = in.ArgText();
  std::string value(in.GetVariable(first));
  size_t at = value.find_first_of(separators);
  if (at == std::string::npos) {
    in.SetVariable(second, "");
    return;
  }
  std::string rest = value.substr(at + 1);
  value.resize(at);
  in.SetVariable(first, value);
  in.SetVariable(second, rest);
}

void StrPiece(Interpreter& in) {
  std::string name = in.ArgName();
  int64_t start = std::max(in.ArgNumber(), 1);
  int64_t length = std::max(in.ArgNumber(), 0);
  std::string text = in.ArgText();
  std::string piece;
  if (start <= static_cast<int64_t>(text.size())) {
    piece = text.substr(static_cast<size_t>(start - 1), static_cast<size_t>(length));
  }
  in.SetVariable(name, piece);
}

void StrLCase(Interpreter& in) {
  MapText(in, [](std::string text) {
    for (char& c : text) {
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
  });
}

void StrUCase(Interpreter& in) {
  MapText(in, [](std::string text) { return ToUpper(text); });
}

void StrTrim(Interpreter& in) {
  MapText(in, [](std::string text) { return std::string(TrimBlanks(text)); });
}

void StrIsNumeric(Interpreter& in) {
  MapText(in, [](std::string text) { return std::string(IsIntegerText(text) ? "1" : "0"); });
}

void StrAddBackslash(Interpreter& in) {
  MapText(in, [](std::string text) { return AddSeparator(std::move(text)); });
}

void StrLPad(Interpreter& in) { Pad(in, ' ', true); }
void StrLPadZero(Interpreter& in) { Pad(in, '0', true); }
void StrRPad(Interpreter& in) { Pad(in, ' ', false); }

// The character is a code when given as an integer text, else the text's first character.
void StrRepeat(Interpreter& in) {
  std::string name = in.ArgName();
  std::string character = in.ArgNonEmptyText();
  int32_t count = std::clamp(in.ArgNumber(), 0, kLongestResult);
  char c = IsIntegerText(character) ? static_cast<char>(ParseInteger(character)) : character[0];
  in.SetVariable(name, std::string(static_cast<size_t>(count), c));
}

void StrIsLabel(Interpreter& in) {
  std::string name = in.ArgName();
  in.SetNumber(name, in.FindLabel(in.ArgText()));
}

}  // namespace kinet::script::cmd
