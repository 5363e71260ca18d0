// Built-in del, ren and copy. Each reports per file and goes on with the next; only Cancel
// stops a run over many files. Nothing is overwritten by ren, and copy writes each target
// under a temporary name, so a failed or cancelled copy leaves no partial target behind.
#include <filesystem>
#include <fstream>
#include <system_error>

#include "frontend/core/builtins.h"
#include "frontend/core/command_text.h"
#include "platform/files/output_file.h"

namespace kinet::desk {
namespace {

namespace fs = std::filesystem;

// Where `source` goes under `target`: into it when it is a directory, else by the pattern.
std::string Destination(const std::string& source, const std::string& target) {
  std::error_code error;
  const std::string name = fs::path(source).filename().string();
  if (fs::is_directory(target, error)) return (fs::path(target) / name).string();
  const fs::path t(target);
  return (t.parent_path() / TargetName(name, t.filename().string())).string();
}

enum class CopyResult { kCopied, kFailed, kCancelled };

CopyResult CopyOne(CommandRunner& runner, const std::string& from, const std::string& to,
                   uint64_t& bytes) {
  std::error_code error;
  if (fs::exists(to, error) && platform::SameFile(platform::SystemFileSystem(), from, to))
    return CopyResult::kFailed;
  std::ifstream in(from, std::ios::binary);
  const uint64_t total = fs::file_size(from, error);
  platform::SafeOutputFile out;
  if (!in || error || !out.Create(platform::SystemFileSystem(), to)) return CopyResult::kFailed;
  std::vector<char> buffer(1 << 16);
  uint64_t done = 0;
  while (in) {
    in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    const size_t n = static_cast<size_t>(in.gcount());
    if (n && !out.Write(buffer.data(), n)) return CopyResult::kFailed;
    done += n;
    if (!runner.host().CopyProgress(done, total)) return CopyResult::kCancelled;
  }
  if (!in.eof() || !out.Commit()) return CopyResult::kFailed;
  bytes += done;
  return CopyResult::kCopied;
}

}  // namespace

void DeleteFiles(CommandRunner& runner, std::string_view argument) {
  if (argument.empty()) return runner.Echo("Del - error, no file name given.");
  runner.Echo("Del " + std::string(argument));
  const std::vector<std::string> files = MatchingPaths(runner.Resolve(argument), false);
  if (files.empty()) return runner.WriteResult("  No files found.");
  uint64_t count = 0, bytes = 0;
  for (const std::string& file : files) {
    const Answer answer = runner.host().Ask("Delete the file: " + file + " ?");
    if (answer == Answer::kCancel) break;
    if (answer == Answer::kNo) continue;
    std::error_code error;
    const uint64_t size = fs::file_size(file, error);
    if (fs::remove(file, error) && !error) {
      runner.WriteResult("  " + file + " was deleted.");
      ++count;
      bytes += size;
    } else {
      runner.Failure("Could not delete " + file, "Error, could not delete " + file);
    }
  }
  runner.WriteResult("  " + runner.Grouped(count) + " file(s) deleted.  " + runner.Grouped(bytes) +
                     " bytes freed.");
}

void RewriteMovedDirs(CommandRunner& runner, const std::string& from, const std::string& to) {
  const auto rewrite = [&](std::string& dir) {
    if (dir == from || dir.starts_with(from + "/")) dir = to + dir.substr(from.size());
  };
  rewrite(runner.command_dir_);
  std::string program = runner.program_dir_.substr(0, runner.program_dir_.size() - 1);
  rewrite(program);
  runner.SetProgramDir(program);
  for (std::string* dir : runner.tracked_dirs) rewrite(*dir);
}

void RenameFiles(CommandRunner& runner, std::string_view argument) {
  const std::vector<std::string> names = Words(argument);
  if (names.size() < 2) return runner.Echo("Ren - error, must give input and output names.");
  runner.Echo("Ren " + names[0] + " " + names[1]);
  const std::vector<std::string> sources = MatchingPaths(runner.Resolve(names[0]), true);
  if (sources.empty()) return runner.WriteResult("  No files found.");
  const std::string target = runner.Resolve(names[1]);
  uint64_t count = 0;
  for (const std::string& source : sources) {
    const std::string destination = Destination(source, target);
    std::error_code error;
    const bool is_dir = fs::is_directory(source, error);
    // An existing target is never replaced: renaming onto it would lose that file.
    if (!fs::exists(destination, error) && (fs::rename(source, destination, error), !error)) {
      runner.WriteResult("  Renamed " + source + " to " + destination);
      ++count;
      if (is_dir) RewriteMovedDirs(runner, source, destination);
    } else {
      runner.Failure("Could not rename " + source, "Error, could not rename " + source);
    }
  }
  runner.WriteResult("  " + runner.Grouped(count) + " file(s) renamed.");
}

void CopyFiles(CommandRunner& runner, std::string_view argument) {
  const std::vector<std::string> names = Words(argument);
  if (names.empty()) return runner.Echo("Copy - error, must give an input name.");
  const std::string target_text = names.size() > 1 ? names[1] : runner.command_dir();
  runner.Echo("Copy " + names[0] + " " + target_text);
  const std::vector<std::string> sources = MatchingPaths(runner.Resolve(names[0]), false);
  if (sources.empty()) return runner.WriteResult("  No files found.");
  const std::string target = runner.Resolve(target_text);
  uint64_t count = 0, bytes = 0;
  for (const std::string& source : sources) {
    const std::string destination = Destination(source, target);
    const CopyResult result = CopyOne(runner, source, destination, bytes);
    if (result == CopyResult::kCancelled) {
      runner.WriteResult("  Copy was cancelled.");
      break;
    }
    if (result == CopyResult::kCopied) {
      runner.WriteResult("  Copied " + source + " to " + destination);
      ++count;
    } else {
      runner.Failure("Could not copy " + source, "Error, could not copy " + source);
    }
  }
  runner.WriteResult("  " + runner.Grouped(count) + " file(s) copied.  " + runner.Grouped(bytes) +
                     " bytes copied.");
}

}  // namespace kinet::desk
