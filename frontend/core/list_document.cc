#include "frontend/core/list_document.h"

#include <algorithm>

#include "frontend/core/page_names.h"
#include "platform/files/input_file.h"
#include "platform/files/output_file.h"

namespace kinet::desk {
namespace {

// A list names files; anything larger is some other file named by mistake.
constexpr size_t kMaxListBytes = size_t{16} << 20;

}  // namespace

bool ListDocument::Load(platform::FileSystem& files, const std::string& path) {
  const std::optional<std::string> text = platform::ReadWholeFile(files, path, kMaxListBytes);
  if (!text) return false;
  std::vector<std::string> lines;
  for (size_t from = 0; from < text->size();) {
    size_t end = text->find('\n', from);
    if (end == std::string::npos) end = text->size();
    std::string line = text->substr(from, end - from);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    from = end + 1;
  }
  path_ = path;
  lines_ = std::move(lines);
  selected_ = lines_.empty() ? -1 : 0;
  changed_ = false;
  return true;
}

ListDocument ListDocument::FromNames(const std::string& directory,
                                     const std::vector<std::string>& names) {
  ListDocument list;
  list.path_ = (directory.empty() || directory.back() == '/' ? directory : directory + "/") +
               kUntitledList;
  list.lines_ = names;
  list.selected_ = names.empty() ? -1 : 0;
  list.changed_ = true;
  return list;
}

bool ListDocument::Save(platform::FileSystem& files, const std::string& path) {
  std::string text;
  for (const std::string& line : lines_) text += line + "\n";
  platform::SafeOutputFile out;
  if (!out.Create(files, path) || !out.Write(text.data(), text.size()) || !out.Commit())
    return false;
  path_ = path;
  changed_ = false;
  return true;
}

bool ListDocument::untitled() const { return BaseName(path_) == kUntitledList; }

void ListDocument::Select(int line) {
  selected_ = line >= 0 && line < static_cast<int>(lines_.size()) ? line : -1;
}

ListLine ListDocument::SelectedLine() const {
  return selected_ < 0 ? ListLine{} : ParseListLine(lines_[selected_]);
}

void ListDocument::SetStart(const std::string& start) { SetFrames(start, SelectedLine().end); }
void ListDocument::SetEnd(const std::string& end) { SetFrames(SelectedLine().start, end); }

void ListDocument::SetFrames(const std::string& start, const std::string& end) {
  if (selected_ < 0) return;
  ListLine line = ParseListLine(lines_[selected_]);
  if (line.start == start && line.end == end) return;
  line.start = start;
  line.end = end;
  lines_[selected_] = ListLineText(line);
  changed_ = true;
}

void ListDocument::Insert(const std::vector<std::string>& names) {
  if (names.empty()) return;
  const int at = std::max(selected_, 0);
  lines_.insert(lines_.begin() + at, names.begin(), names.end());
  selected_ = at;
  changed_ = true;
}

void ListDocument::Remove() {
  if (selected_ < 0) return;
  lines_.erase(lines_.begin() + selected_);
  if (selected_ >= static_cast<int>(lines_.size())) selected_ = static_cast<int>(lines_.size()) - 1;
  changed_ = true;
}

void ListDocument::MoveUp() { Swap(selected_ - 1); }
void ListDocument::MoveDown() { Swap(selected_ + 1); }

void ListDocument::Swap(int with) {
  if (selected_ < 0 || with < 0 || with >= static_cast<int>(lines_.size())) return;
  std::swap(lines_[selected_], lines_[with]);
  selected_ = with;
  changed_ = true;
}

}  // namespace kinet::desk
