#include "toolkit/switches.h"

#include <cctype>
#include <limits>

namespace kinet::toolkit {
namespace {

bool IsSwitchChar(char c) {
  return std::isalpha(static_cast<unsigned char>(c)) || c == '#' || c == '@' || c == '&';
}

bool SameLetter(char a, char b) {
  return std::toupper(static_cast<unsigned char>(a)) == std::toupper(static_cast<unsigned char>(b));
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Length of the number at the start of `text` ("123", "-45"), or 0 when there is none.
size_t NumberLength(const std::string& text) {
  size_t pos = (!text.empty() && text[0] == '-') ? 1 : 0;
  size_t digits = pos;
  while (digits < text.size() && IsDigit(text[digits])) ++digits;
  return digits > pos ? digits : 0;
}

bool SuitsFlag(const std::string& payload) { return payload.empty() || payload[0] < '0'; }
bool SuitsText(const std::string& payload) { return !payload.empty(); }
bool IsWholeNumber(const std::string& payload) {
  return !payload.empty() && NumberLength(payload) == payload.size();
}

// Splits the word after its leading '/' at every '/' outside double quotes.
std::vector<std::string> SplitAtSlashes(const std::string& word) {
  std::vector<std::string> parts(1);
  bool quoted = false;
  for (size_t i = 1; i < word.size(); ++i) {
    char c = word[i];
    if (c == '"') quoted = !quoted;
    if (c == '/' && !quoted) {
      parts.emplace_back();
    } else {
      parts.back() += c;
    }
  }
  return parts;
}

// A piece reads as a switch of the tool when its letter is in the table and what follows fits
// one of the letter's kinds. An empty payload always fits: "/Q" is the tool's switch given
// wrongly, which must show the usage rather than become a file name.
bool ReadsAsToolSwitch(const std::string& part, std::span<const KnownSwitch> table) {
  if (part.empty()) return false;
  std::string payload = part.substr(1);
  for (const KnownSwitch& entry : table) {
    if (!SameLetter(entry.letter, part[0])) continue;
    if (payload.empty()) return true;
    if (entry.kind == SwitchKind::kNumber && IsWholeNumber(payload)) return true;
    if (entry.kind == SwitchKind::kText) return true;
  }
  return false;
}

bool HasSwitchShape(const std::string& part) {
  return !part.empty() && IsSwitchChar(part[0]) &&
         (part.size() == 1 || IsWholeNumber(part.substr(1)));
}

bool IsSlashSwitchWord(const std::vector<std::string>& parts, std::span<const KnownSwitch> table) {
  bool all_tool = true;
  bool all_shape = true;
  for (const std::string& part : parts) {
    all_tool = all_tool && ReadsAsToolSwitch(part, table);
    all_shape = all_shape && HasSwitchShape(part);
  }
  return all_tool || all_shape;
}

}  // namespace

SwitchLine::SwitchLine(std::span<const std::string> words, std::span<const KnownSwitch> table) {
  for (const std::string& word : words) {
    if (word.size() >= 2 && word[0] == '-' && IsSwitchChar(word[1])) {
      pieces_.push_back({word[1], word.substr(2), word});
      continue;
    }
    if (word.size() >= 2 && word[0] == '/') {
      std::vector<std::string> parts = SplitAtSlashes(word);
      if (IsSlashSwitchWord(parts, table)) {
        for (const std::string& part : parts)
          pieces_.push_back({part[0], part.substr(1), "/" + part});
        continue;
      }
    }
    names_.push_back(word);
  }
}

SwitchLine::Piece* SwitchLine::FindUntaken(char letter, bool (*suits)(const std::string&)) {
  for (Piece& piece : pieces_) {
    if (!piece.letter_taken && SameLetter(piece.letter, letter) && suits(piece.payload)) {
      return &piece;
    }
  }
  return nullptr;
}

std::optional<int32_t> SwitchLine::TakeNumber(char letter) {
  for (Piece& piece : pieces_) {
    if (piece.letter_taken || !SameLetter(piece.letter, letter)) continue;
    size_t length = NumberLength(piece.payload);
    if (length == 0) continue;
    bool negative = piece.payload[0] == '-';
    int64_t value = 0;
    bool fits = true;
    for (size_t i = negative ? 1 : 0; i < length && fits; ++i) {
      value = value * 10 + (piece.payload[i] - '0');
      fits = value <= int64_t{std::numeric_limits<int32_t>::max()} + (negative ? 1 : 0);
    }
    if (!fits) continue;
    piece.letter_taken = true;
    piece.payload.erase(0, length);
    return static_cast<int32_t>(negative ? -value : value);
  }
  return std::nullopt;
}

bool SwitchLine::TakeFlag(char letter) {
  Piece* piece = FindUntaken(letter, SuitsFlag);
  if (piece == nullptr) return false;
  piece->letter_taken = true;
  return true;
}

std::string SwitchLine::TakeText(char letter) {
  Piece* piece = FindUntaken(letter, SuitsText);
  if (piece == nullptr) return {};
  piece->letter_taken = true;
  std::string& payload = piece->payload;
  std::string text;
  if (payload[0] == '"') {
    size_t close = payload.find('"', 1);
    if (close == std::string::npos) {
      text = payload.substr(1);
      payload.clear();
    } else {
      text = payload.substr(1, close - 1);
      payload.erase(0, close + 1);
    }
  } else {
    text = std::move(payload);
    payload.clear();
  }
  return text;
}

bool SwitchLine::HasLeftover() const {
  for (const Piece& piece : pieces_) {
    if (!piece.letter_taken || !piece.payload.empty()) return true;
  }
  return false;
}

std::string SwitchLine::NotUnderstood(size_t names_taken) const {
  for (const Piece& piece : pieces_) {
    if (!piece.letter_taken || !piece.payload.empty()) return piece.typed;
  }
  return names_.size() > names_taken ? names_[names_taken] : std::string();
}

ReportSwitches TakeReportSwitches(SwitchLine& line) {
  ReportSwitches out;
  if (std::optional<int32_t> number = line.TakeNumber('#'); number && *number >= 0) {
    out.channel = static_cast<uint32_t>(*number);
  }
  out.close_when_done = line.TakeFlag('#');
  return out;
}

}  // namespace kinet::toolkit
