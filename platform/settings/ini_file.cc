#include "platform/settings/ini_file.h"

#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>
#include <utility>

#include "platform/files/output_file.h"

namespace kinet::platform {
namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  return s;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

std::string Unquoted(std::string_view value) {
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
    value = value.substr(1, value.size() - 2);
  return std::string(value);
}

}  // namespace

IniFile IniFile::Parse(std::string_view text) {
  IniFile ini;
  ini.sections_.push_back({});
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view raw = text.substr(start, end - start);
    if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
    start = end + 1;
    const std::string_view trimmed = Trim(raw);
    if (trimmed.size() >= 2 && trimmed.front() == '[') {
      const size_t close = trimmed.find(']');
      if (close != std::string_view::npos) {
        ini.sections_.push_back({std::string(Trim(trimmed.substr(1, close - 1))), {}});
        continue;
      }
    }
    Line line{std::string(raw), {}, {}};
    const size_t equals = trimmed.find('=');
    if (!trimmed.empty() && trimmed.front() != ';' && equals != std::string_view::npos) {
      line.key = std::string(Trim(trimmed.substr(0, equals)));
      line.value = Unquoted(Trim(trimmed.substr(equals + 1)));
    }
    ini.sections_.back().lines.push_back(std::move(line));
  }
  return ini;
}

IniFile IniFile::Load(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return Parse("");
  std::ostringstream text;
  text << in.rdbuf();
  return Parse(text.str());
}

const IniFile::Section* IniFile::FindSection(std::string_view name) const {
  // The lines before the first section header belong to no section and are never found.
  for (size_t i = 1; i < sections_.size(); ++i)
    if (SameName(sections_[i].name, name)) return &sections_[i];
  return nullptr;
}

IniFile::Section* IniFile::FindSection(std::string_view name) {
  return const_cast<Section*>(std::as_const(*this).FindSection(name));
}

std::optional<std::string> IniFile::Find(std::string_view section, std::string_view key) const {
  const Section* s = FindSection(section);
  if (!s || Trim(key).empty()) return std::nullopt;
  for (const Line& line : s->lines)
    if (!line.key.empty() && SameName(line.key, Trim(key))) return line.value;
  return std::nullopt;
}

std::string IniFile::GetString(std::string_view section, std::string_view key,
                               std::string_view fallback) const {
  std::optional<std::string> value = Find(section, key);
  return value ? *value : std::string(fallback);
}

int ProfileInteger(std::string_view value) {
  size_t i = 0;
  const bool negative = !value.empty() && value[0] == '-';
  if (!value.empty() && (value[0] == '-' || value[0] == '+')) i = 1;
  long long n = 0;
  for (; i < value.size() && std::isdigit(static_cast<unsigned char>(value[i])); ++i) {
    n = n * 10 + (value[i] - '0');
    if (n > 0x7fffffffLL) n = 0x7fffffffLL;  // saturate instead of wrapping
  }
  return static_cast<int>(negative ? -n : n);
}

int IniFile::GetInt(std::string_view section, std::string_view key, int fallback) const {
  std::optional<std::string> value = Find(section, key);
  return value ? ProfileInteger(*value) : fallback;
}

void IniFile::SetString(std::string_view section, std::string_view key, std::string_view value) {
  if (sections_.empty()) sections_.push_back({});
  Section* s = FindSection(section);
  if (!s) {
    sections_.push_back({std::string(section), {}});
    s = &sections_.back();
  }
  Line fresh{std::string(key) + "=" + std::string(value), std::string(key), std::string(value)};
  for (Line& line : s->lines) {
    if (!line.key.empty() && SameName(line.key, key)) {
      line = std::move(fresh);
      return;
    }
  }
  // New keys go after the section's last key, before any blank lines that end it.
  auto at = s->lines.end();
  while (at != s->lines.begin() && Trim(std::prev(at)->text).empty()) --at;
  s->lines.insert(at, std::move(fresh));
}

void IniFile::SetInt(std::string_view section, std::string_view key, int value) {
  SetString(section, key, std::to_string(value));
}

void IniFile::EraseSection(std::string_view section) {
  for (size_t i = sections_.size(); i-- > 1;)
    if (SameName(sections_[i].name, section)) sections_.erase(sections_.begin() + i);
}

std::vector<std::string> IniFile::Keys(std::string_view section) const {
  std::vector<std::string> keys;
  if (const Section* s = FindSection(section))
    for (const Line& line : s->lines)
      if (!line.key.empty()) keys.push_back(line.key);
  return keys;
}

std::string IniFile::Text() const {
  std::string text;
  for (size_t i = 0; i < sections_.size(); ++i) {
    if (i > 0) text += "[" + sections_[i].name + "]\n";
    for (const Line& line : sections_[i].lines) text += line.text + "\n";
  }
  return text;
}

bool IniFile::Save(const std::string& path) const {
  std::error_code error;
  const std::filesystem::path parent = std::filesystem::path(path).parent_path();
  if (!parent.empty()) std::filesystem::create_directories(parent, error);
  SafeOutputFile out;
  const std::string text = Text();
  // The settings file is always one of the operating system's.
  return out.Create(SystemFileSystem(), path) && out.Write(text.data(), text.size()) &&
         out.Commit();
}

}  // namespace kinet::platform
