// What the file, directory and drive lists' menus do, without widgets: how a file is viewed,
// the texts the menus show, and the summaries of a directory tree and of a drive.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kinet::desk {

constexpr std::string_view kHighlightAFile = "Error, you must highlight a file.";
constexpr std::string_view kOneFileAtATime =
    "Error, only one file can be copied, renamed, or moved at a time.";
constexpr std::string_view kRootNotRenamed = "Error, the root directory can't be renamed.";
constexpr std::string_view kRootNotRemoved = "Error, the root directory can't be removed.";

// The command that views `name` (as the command line gives it): list files open in the list
// editor (the list is re-read after), video files in the player. Nothing for the rest, which
// the built-in viewer shows or, failing that, the desktop's own program for the file.
struct ViewCommand {
  std::string command;
  bool refresh = false;
};
std::optional<ViewCommand> ViewByCommand(const std::string& name);
// The desktop's program for a file no viewer of ours shows (sounds, flics, other files).
std::string DesktopOpenCommand(const std::string& name);

// "Directory summary on <dir>:" with the files, their bytes and the subdirectories below it,
// counted through the whole tree (links are not followed).
std::string DirectorySummary(const std::string& directory);
// "Drive summary on <root>:" with the available and the total space in MB.
std::string DriveSummary(const std::string& root);

}  // namespace kinet::desk
