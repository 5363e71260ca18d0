// The list editor's file without widgets: the lines of a list file, the selected line with its
// start and end frame, the edits the editor's buttons make, and the changed flag that decides
// whether closing asks to save.
#pragma once

#include <string>
#include <vector>

#include "frontend/core/list_lines.h"
#include "platform/files/file_system.h"

namespace kinet::desk {

// The name a new list is created under until it is saved as something else.
inline constexpr const char* kUntitledList = "untitled.lst";

class ListDocument {
 public:
  // Reads `path`, one entry a line, and selects the first line. False when it cannot be read;
  // the document is then as it was.
  bool Load(platform::FileSystem& files, const std::string& path);
  // A new list "untitled.lst" in `directory` holding `names`, marked as changed.
  static ListDocument FromNames(const std::string& directory, const std::vector<std::string>& names);
  // Writes the lines to `path`, which becomes the document's name; an earlier file of that name
  // is replaced only when the whole list was written. False on failure.
  bool Save(platform::FileSystem& files, const std::string& path);

  const std::string& path() const { return path_; }
  // True while the list has its first name: saving then goes through Save As.
  bool untitled() const;
  bool changed() const { return changed_; }
  const std::vector<std::string>& lines() const { return lines_; }
  int selected() const { return selected_; }  // -1: none
  void Select(int line);
  // The selected line read into name, start and end (all empty when none is selected).
  ListLine SelectedLine() const;

  // Changing a frame field: the selected line is written again from its name and both fields;
  // the file is changed only when the number differs from the one the line held.
  void SetStart(const std::string& start);
  void SetEnd(const std::string& end);
  // Puts `names` before the selected line (at the top when none is), selecting the first.
  void Insert(const std::vector<std::string>& names);
  void Remove();
  void MoveUp();
  void MoveDown();

 private:
  void SetFrames(const std::string& start, const std::string& end);
  void Swap(int with);

  std::string path_;
  std::vector<std::string> lines_;
  int selected_ = -1;
  bool changed_ = false;
};

}  // namespace kinet::desk
