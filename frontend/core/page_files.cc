#include "frontend/core/page_files.h"

#include "frontend/core/page_names.h"
#include "platform/files/output_file.h"

namespace kinet::desk {

std::string WriteTemporaryText(platform::FileSystem& files, const std::string& text) {
  const std::string path = files.CreateTempFile("");
  if (path.empty()) return "";
  std::unique_ptr<platform::File> file = files.Open(path, platform::OpenMode::kUpdate);
  if (file && file->Write(text.data(), text.size()) && file->Sync()) return path;
  files.Remove(path);
  return "";
}

std::string WriteListFile(platform::FileSystem& files, const std::vector<std::string>& paths) {
  if (paths.empty()) return "";
  const std::string directory = DirectoryOf(paths.front());
  std::string stem = RelativeName(paths.front(), directory);
  if (const size_t dot = stem.rfind('.'); dot != std::string::npos && dot > 0) stem.resize(dot);
  const std::string base = directory == "/" ? "/" + stem : directory + "/" + stem;
  std::string target = base + ".lst";
  for (int n = 2; files.Exists(target); ++n) target = base + std::to_string(n) + ".lst";
  std::string text;
  for (const std::string& path : paths) text += RelativeName(path, directory) + "\n";
  platform::SafeOutputFile out;
  if (!out.Create(files, target) || !out.Write(text.data(), text.size()) || !out.Commit())
    return "";
  return target;
}

}  // namespace kinet::desk
