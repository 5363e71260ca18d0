// The file finder's window, "Finding File...": the search's progress while it runs and
// Cancel, which stops it between directories.
#pragma once

#include <QWidget>
#include <string>
#include <vector>

namespace kinet::desk {

// Searches for `pattern` (FindFiles) showing the window over `owner`; the files found.
std::vector<std::string> FindWithProgress(QWidget* owner, const std::string& pattern);

}  // namespace kinet::desk
