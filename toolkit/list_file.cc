#include "toolkit/list_file.h"

#include "platform/files/input_file.h"
#include "toolkit/switches.h"
#include "toolkit/words.h"

namespace kinet::toolkit {
namespace {

constexpr KnownSwitch kLineSwitches[] = {{'S', SwitchKind::kNumber}, {'E', SwitchKind::kNumber}};

// No list is anywhere near this long.
constexpr size_t kMaxListBytes = size_t{64} << 20;

// The folder part of a path with its last '/', or "" for a bare name.
std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

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

std::optional<std::vector<ListEntry>> ReadListFile(platform::FileSystem& files,
                                                   const std::string& path) {
  const std::optional<std::string> text = platform::ReadWholeFile(files, path, kMaxListBytes);
  if (!text) return std::nullopt;
  const std::string folder = FolderOf(path);
  std::vector<ListEntry> entries;
  for (size_t start = 0; start < text->size();) {
    size_t end = text->find('\n', start);
    if (end == std::string::npos) end = text->size();
    auto entry = ParseListLine(std::string_view(*text).substr(start, end - start));
    start = end + 1;
    if (!entry) continue;
    const std::string beside = folder + entry->name;
    // A series names no single file: look for its folder instead.
    const std::string probe =
        entry->name.find('?') != std::string::npos ? FolderOf(beside) : beside;
    if (entry->name.front() != '/' && !folder.empty() && !probe.empty() && files.Exists(probe))
      entry->name = beside;
    entries.push_back(std::move(*entry));
  }
  return entries;
}

}  // namespace kinet::toolkit
