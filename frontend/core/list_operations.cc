#include "frontend/core/list_operations.h"

#include <filesystem>
#include <system_error>

#include "frontend/core/recent_list.h"

namespace kinet::desk {
namespace {

namespace fs = std::filesystem;

std::string Extension(std::string name) {
  if (name.size() > 1 && name.front() == '"' && name.back() == '"') name = name.substr(1, name.size() - 2);
  return Lowered(fs::path(name).extension().string());
}

std::string Megabytes(uintmax_t bytes) { return std::to_string(bytes / (1024 * 1024)); }

}  // namespace

std::optional<ViewCommand> ViewByCommand(const std::string& name) {
  const std::string extension = Extension(name);
  if (extension == ".lst") return ViewCommand{"ListEdit " + name, true};
  if (extension == ".knt") return ViewCommand{"KinetPlayW " + name, false};
  return std::nullopt;
}

std::string DesktopOpenCommand(const std::string& name) { return "xdg-open " + name; }

std::string DirectorySummary(const std::string& directory) {
  uintmax_t files = 0, bytes = 0, subdirectories = 0;
  std::error_code error;
  for (fs::recursive_directory_iterator it(directory, fs::directory_options::skip_permission_denied, error), end;
       !error && it != end; it.increment(error)) {
    std::error_code status_error;
    const fs::file_status status = it->symlink_status(status_error);
    if (status_error) continue;
    if (fs::is_directory(status)) {
      ++subdirectories;
    } else {
      ++files;
      const uintmax_t size = fs::is_regular_file(status) ? it->file_size(status_error) : 0;
      if (!status_error) bytes += size;
    }
  }
  return "Directory summary on " + directory + ":\n  Total files: " + std::to_string(files) +
         "\n  Total bytes: " + std::to_string(bytes) + "\n  Total subdirectories: " +
         std::to_string(subdirectories);
}

std::string DriveSummary(const std::string& root) {
  std::error_code error;
  const fs::space_info space = fs::space(root, error);
  return "Drive summary on " + root + ":\n   Available space: " +
         Megabytes(error ? 0 : space.available) + " MB\n   Total space: " +
         Megabytes(error ? 0 : space.capacity) + " MB";
}

}  // namespace kinet::desk
