#include "frontend/core/list_lines.h"

#include <algorithm>
#include <cctype>

namespace kinet::desk {
namespace {

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

}  // namespace

ListLine ParseListLine(const std::string& text) {
  ListLine l;
  const std::string line = Trimmed(text);
  size_t name_end = line.size();
  // A switch follows a blank, so that folders of a path ("/srv/e.bmp") stay in the name.
  for (size_t i = 1; i + 1 < line.size(); ++i) {
    if (line[i] != '/' || line[i - 1] != ' ') continue;
    const char letter = char(std::tolower(static_cast<unsigned char>(line[i + 1])));
    if (letter != 's' && letter != 'e') continue;
    // The number runs to the next blank or switch.
    size_t j = i + 2;
    while (j < line.size() && line[j] == ' ') ++j;
    const size_t from = j;
    while (j < line.size() && line[j] != ' ' && line[j] != '/') ++j;
    (letter == 's' ? l.start : l.end) = line.substr(from, j - from);
    name_end = std::min(name_end, i);
    i = j - 1;
  }
  l.name = Trimmed(line.substr(0, name_end));
  return l;
}

std::string ListLineText(const ListLine& line) {
  std::string text = line.name;
  if (!line.start.empty()) text += " /s" + line.start;
  if (!line.end.empty()) text += " /e" + line.end;
  return text;
}

}  // namespace kinet::desk
