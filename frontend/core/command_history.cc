#include "frontend/core/command_history.h"

#include "platform/files/output_file.h"

namespace kinet::desk {

void CommandHistory::Changed() {
  Shorten();
  ++version_;
}

void CommandHistory::WriteLine(std::string_view text) {
  characters_ += text.size() + (lines_.empty() ? 0 : 1);
  lines_.emplace_back(text);
  Changed();
}

void CommandHistory::Echo(std::string_view text) {
  if (lines_.empty()) return WriteLine(text);
  lines_.back() += text;
  characters_ += text.size();
  Changed();
}

void CommandHistory::Prompt(std::string_view command_dir) {
  const std::string prompt = std::string(command_dir) + "> ";
  if (!lines_.empty() && lines_.back() == prompt) return;
  WriteLine(prompt);
}

void CommandHistory::WriteReport(std::string_view report) {
  bool first = true;
  while (!report.empty()) {
    size_t end = report.find("\r\n");
    std::string_view line = report.substr(0, end);
    // A report ends in its NUL; text past it is not part of the report.
    if (size_t nul = line.find('\0'); nul != std::string_view::npos) {
      line = line.substr(0, nul);
      end = std::string_view::npos;
    }
    if (!(line.empty() && end == std::string_view::npos))
      WriteLine(first ? "  " + std::string(line) : std::string(line));
    first = false;
    if (end == std::string_view::npos) break;
    report.remove_prefix(end + 2);
  }
}

void CommandHistory::Clear() {
  lines_.clear();
  characters_ = 0;
  ++version_;
}

std::string CommandHistory::Text() const {
  std::string text;
  text.reserve(characters_);
  for (size_t i = 0; i < lines_.size(); ++i) {
    if (i) text += '\n';
    text += lines_[i];
  }
  return text;
}

void CommandHistory::SetText(std::string_view text) {
  Clear();
  while (true) {
    const size_t end = text.find('\n');
    WriteLine(text.substr(0, end));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
}

void CommandHistory::Shorten() {
  if (characters_ <= kMaxCharacters) return;
  size_t removed = 0;
  while (removed < kTrimAtLeast && lines_.size() > 1) {
    removed += lines_.front().size() + 1;
    lines_.pop_front();
  }
  characters_ -= removed;
}

bool SaveHistoryText(const CommandHistory& history, const std::string& path) {
  const std::string text = history.Text() + "\n";
  platform::SafeOutputFile out;
  return out.Create(platform::SystemFileSystem(), path) && out.Write(text.data(), text.size()) &&
         out.Commit();
}

std::string GroupedNumber(uint64_t n, std::string_view separator) {
  std::string digits = std::to_string(n);
  std::string out;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i && (digits.size() - i) % 3 == 0) out += separator;
    out += digits[i];
  }
  return out;
}

}  // namespace kinet::desk
