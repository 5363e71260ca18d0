// Every choice the user makes on the pages, kept in one settings file: the sections and keys
// with their kinds, defaults and text-length limits, the per-frame compression list and the
// three recent lists. Read once when the main window is made, written once when it closes.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "frontend/core/recent_list.h"
#include "platform/settings/ini_file.h"

namespace kinet::desk {

enum class KeyKind {
  kString,   // free text
  kInteger,  // decimal text
  kBoolean,  // "1" or "0"; any non-zero number reads as true
  kNumber,   // a number the user types, kept as text of limited length
};

struct KeyInfo {
  const char* section;
  const char* key;
  KeyKind kind;
  const char* fallback;
  size_t max_length;  // 0: no limit
  bool written = true;
};

// All keys of all sections, in file order.
const std::vector<KeyInfo>& SettingKeys();

// What the defaults depend on at start.
struct StartPlaces {
  std::string program_dir;  // the tools' directory, with a trailing '/'
  std::string start_dir;    // the process's working directory at start
  int x = 0, y = 0;         // the main window's position when centred on the screen
};

class Settings {
 public:
  static constexpr int kFrameSpecificLimit = 256;
  static constexpr int kRecentLimit = 30;

  // Every key at its default.
  explicit Settings(const StartPlaces& places);

  void Read(const platform::IniFile& ini);
  // Writes every key with its current value, and the lists (each section erased first).
  void Write(platform::IniFile& ini) const;

  // Values by section and key (names as in SettingKeys, compared ignoring case). Unknown keys
  // read as empty or 0 and are never written.
  std::string Text(std::string_view section, std::string_view key) const;
  int Integer(std::string_view section, std::string_view key) const;
  bool Boolean(std::string_view section, std::string_view key) const;
  // Numbers are cut to their key's length limit.
  void SetText(std::string_view section, std::string_view key, std::string_view value);
  void SetInteger(std::string_view section, std::string_view key, int value);
  void SetBoolean(std::string_view section, std::string_view key, bool value);

  std::vector<std::string> frame_specific;
  RecentList recent_commands{RecentList::Compare::kIgnoringCase};
  RecentList recent_files{RecentList::Compare::kExact};
  RecentList recent_dirs{RecentList::Compare::kExact};

 private:
  const KeyInfo* Info(std::string_view section, std::string_view key) const;
  static std::string Id(std::string_view section, std::string_view key);

  std::map<std::string, std::string> values_;  // by lower-cased "section/key"
};

// A list stored as prefix0, prefix1, ...: keys 0 to `limit` are read, trimmed, and the
// non-empty ones kept in order, so gaps close up.
std::vector<std::string> ReadNumberedList(const platform::IniFile& ini, std::string_view section,
                                          std::string_view prefix, int limit);
void WriteNumberedList(platform::IniFile& ini, std::string_view section, std::string_view prefix,
                       const std::vector<std::string>& entries);

}  // namespace kinet::desk
