// List files (".lst"): one graphics entry per line, a file name or a numbered series, each
// optionally limited to a frame range by its own /S# and /E# switches. Lines beginning with
// '#' are comments; empty lines are skipped.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files/file_system.h"

namespace kinet::toolkit {

struct ListEntry {
  std::string name;
  int32_t start = 0, end = 0;  // /S and /E: first and last frame counted from 1; 0 = open
};

// One line: nothing for a comment or an empty line. A line whose switches do not read (an
// unknown or repeated switch) is kept whole as the name, so that opening it reports it.
std::optional<ListEntry> ParseListLine(std::string_view line);

// The entries of the list file `path` of `files`; nothing when it cannot be read. Relative
// names are taken from the list file's folder when a file of that name is there, else as they
// stand.
std::optional<std::vector<ListEntry>> ReadListFile(platform::FileSystem& files,
                                                   const std::string& path);

}  // namespace kinet::toolkit
