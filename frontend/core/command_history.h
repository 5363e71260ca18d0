// The command history: every command and every result line, ending in the prompt. It keeps
// itself short: past 12288 characters, lines go from the top until at least 1001 are gone.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace kinet::desk {

class CommandHistory {
 public:
  static constexpr size_t kMaxCharacters = 12288;
  static constexpr size_t kTrimAtLeast = 1001;

  // Appends a line.
  void WriteLine(std::string_view text);
  // Appends text to the last line (the prompt), or starts the first line.
  void Echo(std::string_view text);
  // Starts a line "<dir>> " unless the last line already is that prompt.
  void Prompt(std::string_view command_dir);
  // A completion report: its CR LF separated lines, the first with two blanks in front.
  void WriteReport(std::string_view report);
  void Clear();

  // Lines joined by '\n'; the character count includes one per line break.
  std::string Text() const;
  void SetText(std::string_view text);
  const std::deque<std::string>& lines() const { return lines_; }
  size_t characters() const { return characters_; }
  // Grows by one whenever the text changes, so a view knows when to show it again.
  uint64_t version() const { return version_; }

 private:
  void Shorten();
  void Changed();

  std::deque<std::string> lines_;
  size_t characters_ = 0;
  uint64_t version_ = 0;
};

// Writes the history as text to `path` (under a temporary name, renamed when complete).
// False on failure; an earlier file of that name then stays as it was.
bool SaveHistoryText(const CommandHistory& history, const std::string& path);

// A number with `separator` between groups of three digits ("1,234,567").
std::string GroupedNumber(uint64_t n, std::string_view separator);

}  // namespace kinet::desk
