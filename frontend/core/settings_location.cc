#include "frontend/core/settings_location.h"

#include <filesystem>

#include "frontend/core/recent_list.h"
#include "platform/settings/ini_file.h"

namespace kinet::desk {
namespace {

namespace fs = std::filesystem;

// A marker no real page index takes: the key is present when it reads as anything else.
constexpr int kNoTab = 8888;

std::string InConfig(const std::string& name, const std::string& config_dir) {
  if (name.find('/') != std::string::npos) return name;
  return (fs::path(config_dir) / name).string();
}

}  // namespace

SettingsLocation LocateSettings(const std::vector<std::string>& arguments,
                                const std::string& config_dir) {
  SettingsLocation where;
  where.read_path = where.write_path = InConfig(kDefaultSettingsName, config_dir);
  for (const std::string& argument : arguments) {
    const fs::path path(argument);
    if (EqualIgnoringCase(path.extension().string(), ".sbt")) {
      where.batch_files.push_back(argument);
      continue;
    }
    std::string named = argument;
    if (!path.has_extension()) named += ".INI";
    named = InConfig(named, config_dir);
    std::error_code error;
    if (platform::IniFile::Load(named).GetInt("KinetMain", "CurrentTab", kNoTab) != kNoTab)
      where.read_path = where.write_path = named;
    else if (fs::exists(named, error) && fs::file_size(named, error) != 0)
      where.left_alone = named;
    else
      where.write_path = named;
    break;
  }
  return where;
}

std::string StartingCommandDirectory(const std::string& stored, const std::string& start_dir) {
  std::error_code error;
  if (stored.empty() || !fs::is_directory(stored, error)) return start_dir;
  return fs::canonical(stored, error).string();
}

std::string ConfigDirectory(const std::string& xdg_config_home, const std::string& home) {
  if (!xdg_config_home.empty()) return (fs::path(xdg_config_home) / "kinetor").string();
  return (fs::path(home.empty() ? "." : home) / ".config" / "kinetor").string();
}

}  // namespace kinet::desk
