#include "frontend/core/recent_list.h"

#include <algorithm>
#include <cctype>

namespace kinet::desk {

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

std::string Lowered(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

std::string Trimmed(std::string_view s) {
  while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ') s.remove_prefix(1);
  while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ') s.remove_suffix(1);
  return std::string(s);
}

bool RecentList::Equal(std::string_view a, std::string_view b) const {
  return compare_ == Compare::kExact ? a == b : EqualIgnoringCase(a, b);
}

void RecentList::Add(std::string_view entry) {
  const std::string text = Trimmed(entry);
  if (text.empty()) return;
  std::erase_if(entries_, [&](const std::string& e) { return Equal(e, text); });
  entries_.insert(entries_.begin(), text);
  if (entries_.size() > kLimit) entries_.resize(kLimit);
}

void RecentList::Assign(const std::vector<std::string>& newest_first) {
  entries_.clear();
  for (auto it = newest_first.rbegin(); it != newest_first.rend(); ++it) Add(*it);
}

std::string RecentFileEntry(std::string_view file, std::string_view command_dir) {
  if (file.find('/') != std::string_view::npos) return std::string(file);
  std::string dir(command_dir);
  if (dir.empty() || dir.back() != '/') dir += '/';
  return dir + std::string(file);
}

std::string RecallCursor::Up(const std::vector<std::string>& entries) {
  if (entries.empty()) return "";
  if (index_ >= entries.size()) index_ = 0;
  const std::string shown = entries[index_];
  index_ = index_ + 1 == entries.size() ? 0 : index_ + 1;
  return shown;
}

std::string RecallCursor::Down(const std::vector<std::string>& entries) {
  if (entries.empty()) return "";
  if (index_ >= entries.size()) index_ = 0;
  const std::string shown = entries[index_];
  index_ = index_ == 0 ? entries.size() - 1 : index_ - 1;
  return shown;
}

}  // namespace kinet::desk
