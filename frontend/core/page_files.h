// The files an option page writes before its tool runs: the Expert text for the compressor,
// and the list file made from several highlighted files.
#pragma once

#include <string>
#include <vector>

#include "platform/files/file_system.h"

namespace kinet::desk {

// `text` in a new file of the system's temporary directory: its full path, "" on failure.
std::string WriteTemporaryText(platform::FileSystem& files, const std::string& text);

// A new list file beside the first of `paths` naming them all, a line each, relative to its
// directory: "<first name's stem>.lst", or with 2, 3, ... after the stem when that exists.
// Its full path, "" on failure.
std::string WriteListFile(platform::FileSystem& files, const std::vector<std::string>& paths);

}  // namespace kinet::desk
