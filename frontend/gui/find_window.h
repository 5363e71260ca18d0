// The file finder's window, "Finding File...": the search's progress while it runs and
// Cancel, which stops it between directories; and the list of what it found, for the file
// menu.
#pragma once

#include <QWidget>
#include <string>
#include <vector>

namespace kinet::desk {

// Searches for `pattern` (FindFiles) showing the window over `owner`; the files found.
std::vector<std::string> FindWithProgress(QWidget* owner, const std::string& pattern);

// "&Find a file" of a file list's menu: the files found in "List of Found Files:", and the
// one chosen there; "" on Cancel, or after "Error, no matching files found." when none was.
std::string FindAndChoose(QWidget* owner, const std::string& pattern);

}  // namespace kinet::desk
