// The file finder without widgets: a pattern's directory is where the search starts and its
// name the mask; each directory is searched depth first, its matching files before its
// subdirectories (those whose names begin with '.' are not entered). The window shows the
// progress and can stop the search between directories.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/files/file_system.h"

namespace kinet::desk {

inline constexpr const char* kNoFilesFound = "  No matching files found.";
inline constexpr const char* kNoFilesFoundBox = "Error, no matching files found.";

struct FindProgress {
  int directories = 0;  // "Directories searched: "
  std::string current;  // "Current directory: "
  int found = 0;        // "Files found: "
};

// Called before each directory is searched; false stops the search (Cancel).
using FindObserver = std::function<bool(const FindProgress&)>;

// Full paths of the files matching `pattern`, in the order found.
std::vector<std::string> FindFiles(platform::FileSystem& files, const std::string& pattern,
                                   const FindObserver& observer);

}  // namespace kinet::desk
