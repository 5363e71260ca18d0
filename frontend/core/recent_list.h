// The recent commands, files and directories: newest first, at most 30 entries, no two equal.
// Commands are compared ignoring case; file and directory names keep their case and are
// compared exactly, so two files whose names differ only in case stay two entries.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kinet::desk {

class RecentList {
 public:
  enum class Compare { kIgnoringCase, kExact };
  static constexpr size_t kLimit = 30;

  explicit RecentList(Compare compare) : compare_(compare) {}

  // Removes any entry equal to `entry`, puts it in front and cuts the list to kLimit. Blank
  // entries are not added.
  void Add(std::string_view entry);
  // Replaces the whole list (as read from the settings), applying the same rules.
  void Assign(const std::vector<std::string>& newest_first);

  const std::vector<std::string>& entries() const { return entries_; }

 private:
  bool Equal(std::string_view a, std::string_view b) const;

  Compare compare_;
  std::vector<std::string> entries_;
};

// The command page's recall of recent commands with the Up and Down keys.
class RecallCursor {
 public:
  // The entry to show for Up (then the next older) or Down (then the next newer), wrapping.
  // Empty when there are no entries.
  std::string Up(const std::vector<std::string>& entries);
  std::string Down(const std::vector<std::string>& entries);
  // Any edit of the line starts over at the newest.
  void Reset() { index_ = 0; }

 private:
  size_t index_ = 0;
};

// The entry for a file: a name without a directory part gets `command_dir` in front.
std::string RecentFileEntry(std::string_view file, std::string_view command_dir);

bool EqualIgnoringCase(std::string_view a, std::string_view b);
std::string Lowered(std::string_view s);
std::string Trimmed(std::string_view s);

}  // namespace kinet::desk
