// Which settings file the front-end reads and writes, and which batch files it runs, from its
// command line: "kinetdesk [batch.sbt ...] [settings[.INI]]".
#pragma once

#include <string>
#include <vector>

namespace kinet::desk {

struct SettingsLocation {
  std::vector<std::string> batch_files;  // to run once the main window is shown
  std::string read_path;                 // the settings file read at start
  std::string write_path;                // the settings file written at close
  std::string left_alone;                // a named file that is no settings file, left unwritten
};

// `config_dir` is where settings files named without a directory live
// ($XDG_CONFIG_HOME/kinetor). Arguments ending ".sbt" are batch files; the first other one
// names the settings file (".INI" added without an extension). The named file is read only
// when it holds KinetMain's CurrentTab, otherwise the default file is read; a new (or empty)
// named file is written at close, so a new name starts from the current defaults. A named file
// that holds something else (a video file dropped on the program, say) is never written over:
// it is reported in `left_alone` and the default file is written instead.
SettingsLocation LocateSettings(const std::vector<std::string>& arguments,
                                const std::string& config_dir);

// "$XDG_CONFIG_HOME/kinetor", or "$HOME/.config/kinetor"; from the given variables' values.
std::string ConfigDirectory(const std::string& xdg_config_home, const std::string& home);

// The command directory at start: the stored one when it is still a directory, else the
// process's start directory.
std::string StartingCommandDirectory(const std::string& stored, const std::string& start_dir);

inline constexpr const char* kDefaultSettingsName = "Kinetor.INI";

}  // namespace kinet::desk
