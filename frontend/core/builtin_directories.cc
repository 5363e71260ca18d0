// Built-in md, rd, dir, type and savehist.
#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "frontend/core/builtins.h"

namespace kinet::desk {
namespace {

namespace fs = std::filesystem;

std::string Padded(std::string text, size_t width, bool right) {
  if (text.size() >= width) return text;
  const std::string fill(width - text.size(), ' ');
  return right ? fill + text : text + fill;
}

std::string ModifiedTime(const fs::path& path) {
  std::error_code error;
  const auto written = fs::last_write_time(path, error);
  if (error) return "";
  const std::time_t t =
      std::chrono::system_clock::to_time_t(std::chrono::file_clock::to_sys(written));
  std::tm local{};
  localtime_r(&t, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d  %H:%M", &local);
  return text;
}

}  // namespace

// "A", "R", "H", "S" or a blank each. Here a file is read-only when its owner may not write it
// and hidden when its name begins with '.'; there is no archive or system attribute.
std::string AttributeLetters(const fs::path& path) {
  std::error_code error;
  const fs::perms perms = fs::status(path, error).permissions();
  const bool read_only = (perms & fs::perms::owner_write) == fs::perms::none;
  const bool hidden = path.filename().string().starts_with(".");
  return std::string(" ") + (read_only ? "R" : " ") + (hidden ? "H" : " ") + " ";
}

void MakeDirectory(CommandRunner& runner, std::string_view argument) {
  if (argument.empty()) return runner.Echo("MD - error, no directory name given.");
  runner.Echo("MD " + std::string(argument));
  const std::string dir = runner.Resolve(argument);
  std::error_code error;
  if (fs::create_directory(dir, error) && !error)
    runner.WriteResult("  " + dir + " was made.");
  else
    runner.Failure("  Could not make " + dir, "Error, could not make " + dir);
}

void RemoveDirectory(CommandRunner& runner, std::string_view argument) {
  if (argument.empty()) return runner.Echo("RD - error, no directory name given.");
  runner.Echo("RD " + std::string(argument));
  const std::string dir = runner.Resolve(argument);
  std::error_code error;
  // The command directory (or one holding it) stays: commands would run nowhere.
  const bool in_use = runner.command_dir() == dir || runner.command_dir().starts_with(dir + "/");
  if (!in_use && fs::is_directory(dir, error) && fs::remove(dir, error) && !error)
    runner.WriteResult("  " + dir + " was removed.");
  else
    runner.Failure("  Could not remove " + dir, "Error, could not remove " + dir);
}

void ListDirectory(CommandRunner& runner, std::string_view argument) {
  std::error_code error;
  std::string mask = runner.Resolve(argument);
  if (argument.empty() || fs::is_directory(mask, error)) mask = (fs::path(mask) / "*.*").string();
  runner.Echo("Dir " + mask);
  uint64_t count = 0, bytes = 0;
  for (const std::string& path : MatchingPaths(mask, true)) {
    const bool dir = fs::is_directory(path, error);
    const uint64_t size = dir ? 0 : fs::file_size(path, error);
    const std::string size_text = dir ? "       <DIR>" : Padded(runner.Grouped(size), 12, true);
    runner.WriteResult("    " + Padded(fs::path(path).filename().string(), 12, false) + "  " +
                       size_text + "  " + AttributeLetters(path) + "  " + ModifiedTime(path));
    bytes += size;
    if (++count % 11 == 0) runner.host().HistoryFlush();
  }
  if (count == 0) return runner.WriteResult("  No files found.");
  const fs::space_info space = fs::space(runner.command_dir(), error);
  runner.WriteResult("  " + runner.Grouped(bytes) + " bytes in " + runner.Grouped(count) +
                     " file(s).  " + runner.Grouped(error ? 0 : space.available) + " bytes free.");
}

void TypeFile(CommandRunner& runner, std::string_view argument) {
  runner.Echo("Type " + std::string(argument));
  const std::string file = runner.Resolve(argument);
  std::error_code error;
  std::ifstream in(file, std::ios::binary);
  if (argument.empty() || !fs::is_regular_file(file, error) || !in)
    return runner.WriteResult("  Error displaying the file " + file);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    runner.WriteResult(line);
  }
}

void SaveHistory(CommandRunner& runner, std::string_view argument) {
  runner.Echo("SaveHist " + std::string(argument));
  std::string file = runner.Resolve(argument);
  if (!fs::path(file).has_extension()) file += ".txt";
  if (!argument.empty() && SaveHistoryText(runner.history, file))
    runner.WriteResult("  History saved to " + file);
  else
    runner.WriteResult("  Error saving to " + file);
}

}  // namespace kinet::desk
