#include "frontend/core/settings.h"

#include <string>

namespace kinet::desk {
namespace {

constexpr const char* kListSections[][2] = {
    {"KinetRecentCommands", "Recall"}, {"KinetRecentFiles", "File"}, {"KinetRecentDirs", "Dir"}};

std::string Cut(std::string_view value, const KeyInfo& info) {
  if (info.max_length && value.size() > info.max_length) value = value.substr(0, info.max_length);
  return std::string(value);
}

}  // namespace

std::string Settings::Id(std::string_view section, std::string_view key) {
  return Lowered(section) + "/" + Lowered(key);
}

Settings::Settings(const StartPlaces& places) {
  for (const KeyInfo& info : SettingKeys()) values_[Id(info.section, info.key)] = info.fallback;
  std::string program_dir = places.program_dir;
  if (!program_dir.empty() && program_dir.back() != '/') program_dir += '/';
  values_[Id("KinetMain", "Directory")] = program_dir;
  values_[Id("KinetMain", "X")] = std::to_string(places.x);
  values_[Id("KinetMain", "Y")] = std::to_string(places.y);
  values_[Id("KinetCommand", "Directory")] = places.start_dir;
}

const KeyInfo* Settings::Info(std::string_view section, std::string_view key) const {
  for (const KeyInfo& info : SettingKeys())
    if (EqualIgnoringCase(info.section, section) && EqualIgnoringCase(info.key, key)) return &info;
  return nullptr;
}

void Settings::Read(const platform::IniFile& ini) {
  for (const KeyInfo& info : SettingKeys()) {
    std::string& value = values_[Id(info.section, info.key)];
    if (info.kind == KeyKind::kInteger || info.kind == KeyKind::kBoolean) {
      const int n = ini.GetInt(info.section, info.key, platform::ProfileInteger(value));
      value = info.kind == KeyKind::kBoolean ? (n ? "1" : "0") : std::to_string(n);
    } else {
      value = Cut(ini.GetString(info.section, info.key, value), info);
    }
  }
  std::string& program_dir = values_[Id("KinetMain", "Directory")];
  if (!program_dir.empty() && program_dir.back() != '/') program_dir += '/';

  frame_specific = ReadNumberedList(ini, "KinetFrameSpecific", "Frame", kFrameSpecificLimit);
  RecentList* lists[] = {&recent_commands, &recent_files, &recent_dirs};
  for (int i = 0; i < 3; ++i)
    lists[i]->Assign(ReadNumberedList(ini, kListSections[i][0], kListSections[i][1], kRecentLimit));
}

void Settings::Write(platform::IniFile& ini) const {
  for (const KeyInfo& info : SettingKeys())
    if (info.written) ini.SetString(info.section, info.key, values_.at(Id(info.section, info.key)));
  WriteNumberedList(ini, "KinetFrameSpecific", "Frame", frame_specific);
  const RecentList* lists[] = {&recent_commands, &recent_files, &recent_dirs};
  for (int i = 0; i < 3; ++i)
    WriteNumberedList(ini, kListSections[i][0], kListSections[i][1], lists[i]->entries());
}

std::string Settings::Text(std::string_view section, std::string_view key) const {
  auto it = values_.find(Id(section, key));
  return it == values_.end() ? std::string() : it->second;
}

int Settings::Integer(std::string_view section, std::string_view key) const {
  return platform::ProfileInteger(Text(section, key));
}

bool Settings::Boolean(std::string_view section, std::string_view key) const {
  return Integer(section, key) != 0;
}

void Settings::SetText(std::string_view section, std::string_view key, std::string_view value) {
  if (const KeyInfo* info = Info(section, key)) values_[Id(section, key)] = Cut(value, *info);
}

void Settings::SetInteger(std::string_view section, std::string_view key, int value) {
  SetText(section, key, std::to_string(value));
}

void Settings::SetBoolean(std::string_view section, std::string_view key, bool value) {
  SetText(section, key, value ? "1" : "0");
}

std::vector<std::string> ReadNumberedList(const platform::IniFile& ini, std::string_view section,
                                          std::string_view prefix, int limit) {
  std::vector<std::string> entries;
  for (int n = 0; n <= limit; ++n) {
    std::string entry =
        Trimmed(ini.GetString(section, std::string(prefix) + std::to_string(n), ""));
    if (!entry.empty()) entries.push_back(std::move(entry));
  }
  return entries;
}

void WriteNumberedList(platform::IniFile& ini, std::string_view section, std::string_view prefix,
                       const std::vector<std::string>& entries) {
  ini.EraseSection(section);
  for (size_t n = 0; n < entries.size(); ++n)
    ini.SetString(section, std::string(prefix) + std::to_string(n), entries[n]);
}

}  // namespace kinet::desk
