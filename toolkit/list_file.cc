#include "toolkit/list_file.h"

#include <filesystem>
#include <fstream>

#include "toolkit/switches.h"
#include "toolkit/words.h"

namespace kinet::toolkit {
namespace {

constexpr KnownSwitch kLineSwitches[] = {{'S', SwitchKind::kNumber}, {'E', SwitchKind::kNumber}};

}  // namespace

std::optional<ListEntry> ParseListLine(std::string_view line) {
  const std::string_view text = TrimBlanks(line);
  if (text.empty() || text.front() == '#') return std::nullopt;
  const std::vector<std::string> words = SplitCommandWords(text);
  SwitchLine switches(words, kLineSwitches);
  ListEntry entry;
  entry.start = switches.TakeNumber('S').value_or(0);
  entry.end = switches.TakeNumber('E').value_or(0);
  if (switches.HasLeftover() || switches.names().empty()) return ListEntry{std::string(text)};
  // A name with blanks that was not quoted comes back as several words.
  for (const std::string& word : switches.names()) {
    entry.name += (entry.name.empty() ? "" : " ") + word;
  }
  return entry;
}

std::optional<std::vector<ListEntry>> ReadListFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  const std::filesystem::path folder = std::filesystem::path(path).parent_path();
  std::vector<ListEntry> entries;
  std::string line;
  while (std::getline(in, line)) {
    auto entry = ParseListLine(line);
    if (!entry) continue;
    std::error_code ec;
    const std::filesystem::path beside = folder / entry->name;
    // A series names no single file: look for its folder instead.
    const std::filesystem::path probe =
        entry->name.find('?') != std::string::npos ? beside.parent_path() : beside;
    if (std::filesystem::path(entry->name).is_relative() && !folder.empty() && !probe.empty() &&
        std::filesystem::exists(probe, ec)) {
      entry->name = beside.string();
    }
    entries.push_back(std::move(*entry));
  }
  if (in.bad()) return std::nullopt;
  return entries;
}

}  // namespace kinet::toolkit
