// Settings files of the INI form ("[Section]" lines, then "Key=Value" lines), read and written
// with the rules of the private-profile calls the front-end was designed around:
// - sections and keys are found ignoring ASCII case; the first of equal names wins;
// - blanks around keys and values are dropped, and one pair of double quotes around a value;
// - lines starting with ';' and lines without '=' are not keys;
// - an integer is the decimal number at the start of the value (an optional sign, then digits),
//   0 when the value starts otherwise, the default only when the key is absent.
// Writing a key keeps every other line of the file as it was. Nothing here throws.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kinet::platform {

// The integer a value reads as (the rule above): -12 for "-12x", 0 for "x12".
int ProfileInteger(std::string_view value);

class IniFile {
 public:
  IniFile() = default;
  // Parses INI text; any text is accepted (lines that are neither sections nor keys are kept
  // unread).
  static IniFile Parse(std::string_view text);
  // Reads the file at `path`; a missing or unreadable file gives an empty profile.
  static IniFile Load(const std::string& path);

  // The value, or nullopt when the section or key is absent.
  std::optional<std::string> Find(std::string_view section, std::string_view key) const;
  std::string GetString(std::string_view section, std::string_view key,
                        std::string_view fallback) const;
  int GetInt(std::string_view section, std::string_view key, int fallback) const;

  // Replaces the first key of that name in the section, or appends it (and the section).
  void SetString(std::string_view section, std::string_view key, std::string_view value);
  void SetInt(std::string_view section, std::string_view key, int value);
  // Removes the section with all its keys (every section of that name).
  void EraseSection(std::string_view section);
  // The keys of the section, in file order.
  std::vector<std::string> Keys(std::string_view section) const;

  std::string Text() const;
  // Writes the text under a temporary name and renames it over `path`, creating missing
  // directories first. False on failure; an earlier file at `path` then stays as it was.
  [[nodiscard]] bool Save(const std::string& path) const;

 private:
  struct Line {
    std::string text;   // the line as it stands in the file
    std::string key;    // trimmed key, empty for non-key lines
    std::string value;  // trimmed value without enclosing quotes
  };
  struct Section {
    std::string name;  // empty for lines before the first section
    std::vector<Line> lines;
  };
  const Section* FindSection(std::string_view name) const;
  Section* FindSection(std::string_view name);

  std::vector<Section> sections_;
};

}  // namespace kinet::platform
