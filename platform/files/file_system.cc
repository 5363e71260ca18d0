#include "platform/files/file_system.h"

namespace kinet::platform {

bool MakeDirectories(FileSystem& files, const std::string& path) {
  if (path.empty() || files.DirectoryExists(path)) return !path.empty();
  const size_t slash = path.find_last_not_of('/') == std::string::npos
                           ? std::string::npos
                           : path.rfind('/', path.find_last_not_of('/'));
  if (slash != std::string::npos && slash > 0 && !MakeDirectories(files, path.substr(0, slash)))
    return false;
  return files.MakeDirectory(path) || files.DirectoryExists(path);
}

bool SameFile(FileSystem& files, const std::string& a, const std::string& b) {
  const auto first = files.Identity(a);
  return first && first == files.Identity(b);
}

}  // namespace kinet::platform
