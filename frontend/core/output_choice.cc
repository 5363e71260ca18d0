#include "frontend/core/output_choice.h"

#include <filesystem>
#include <system_error>

namespace kinet::desk {
namespace {

namespace fs = std::filesystem;

// Read-only (no write bit for the owner), hidden (a name beginning with '.'), or not a
// regular file at all.
bool SpecialFile(const fs::path& path) {
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (error || !fs::is_regular_file(status)) return true;
  if ((status.permissions() & fs::perms::owner_write) == fs::perms::none) return true;
  return path.filename().string().starts_with(".");
}

}  // namespace

OutputChoice ChooseOutput(const std::string& dir, const std::string& name,
                          const std::string& proposed, OutputMode mode) {
  std::error_code error;
  fs::path path(name);
  if (path.is_relative()) path = fs::path(dir) / path;
  path = path.lexically_normal();
  if (fs::is_directory(path, error)) path /= fs::path(proposed).filename();
  if (!path.has_extension()) path += fs::path(proposed).extension();
  OutputChoice choice;
  choice.path = path.string();
  if (!fs::exists(fs::symlink_status(path, error))) {
    choice.verdict = OutputChoice::Verdict::kAccept;
  } else if (mode == OutputMode::kMustNotExist) {
    choice.message = "Error: output filename must not already exist.";
  } else if (mode == OutputMode::kAcceptExisting) {
    choice.verdict = OutputChoice::Verdict::kAccept;
  } else if (SpecialFile(path)) {
    choice.message = "Error: output filename must be a normal file (not read-only, hidden, etc).";
  } else {
    choice.verdict = OutputChoice::Verdict::kAskOverwrite;
    choice.message = "Overwrite " + choice.path + " ?";
  }
  return choice;
}

}  // namespace kinet::desk
