#include "toolkit/words.h"

namespace kinet::toolkit {
namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

size_t SkipBlanks(std::string_view text, size_t pos) {
  while (pos < text.size() && IsBlank(text[pos])) ++pos;
  return pos;
}

// Consumes the blanks behind a word and one comma behind them.
size_t SkipSeparator(std::string_view text, size_t pos) {
  pos = SkipBlanks(text, pos);
  if (pos < text.size() && text[pos] == ',') ++pos;
  return pos;
}

}  // namespace

std::string_view TrimBlanks(std::string_view text) {
  size_t begin = SkipBlanks(text, 0);
  size_t end = text.size();
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

FirstWord TakeFirstWord(std::string_view line) {
  size_t pos = SkipBlanks(line, 0);
  FirstWord out;
  if (pos < line.size() && line[pos] == '"') {
    size_t close = line.find('"', pos + 1);
    if (close == std::string_view::npos) {
      out.word = TrimBlanks(line.substr(pos + 1));
      return out;
    }
    out.word = TrimBlanks(line.substr(pos + 1, close - pos - 1));
    out.rest = TrimBlanks(line.substr(close + 1));
    return out;
  }
  size_t end = pos;
  while (end < line.size() && !IsBlank(line[end])) ++end;
  out.word = line.substr(pos, end - pos);
  out.rest = TrimBlanks(line.substr(SkipSeparator(line, end)));
  return out;
}

std::string TakeRestAsName(std::string_view rest) {
  std::string_view name = TrimBlanks(rest);
  if (name.size() >= 2 && name.front() == '"' && name.back() == '"') {
    name = name.substr(1, name.size() - 2);
  }
  return std::string(name);
}

std::vector<std::string> SplitCommandWords(std::string_view text) {
  std::vector<std::string> words;
  size_t pos = SkipBlanks(text, 0);
  while (pos < text.size()) {
    if (text[pos] == '"') {
      size_t close = text.find('"', pos + 1);
      size_t end = close == std::string_view::npos ? text.size() : close;
      words.emplace_back(text.substr(pos + 1, end - pos - 1));
      pos = SkipBlanks(text, SkipSeparator(text, end == text.size() ? end : end + 1));
      continue;
    }
    std::string word;
    bool quoted = false;
    while (pos < text.size() && (quoted || !IsBlank(text[pos]))) {
      if (text[pos] == '"') quoted = !quoted;
      word += text[pos++];
    }
    words.push_back(std::move(word));
    pos = SkipBlanks(text, SkipSeparator(text, pos));
  }
  return words;
}

}  // namespace kinet::toolkit
