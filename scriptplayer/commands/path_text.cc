#include "scriptplayer/commands/path_text.h"

#include <vector>

namespace kinet::script {
namespace {

char Fold(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Iterative matching with one back-track point per '*': linear in practice, never exponential.
bool Match(std::string_view pattern, std::string_view name) {
  size_t p = 0, n = 0, star = std::string_view::npos, resume = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || Fold(pattern[p]) == Fold(name[n]))) {
      ++p;
      ++n;
    } else if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      resume = n;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      n = ++resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace

std::string AddSeparator(std::string path) {
  if (!path.empty() && path.back() != '/') path += '/';
  return path;
}

bool MatchesWildcard(std::string_view pattern, std::string_view name) {
  if (Match(pattern, name)) return true;
  bool any_extension = pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == ".*";
  return any_extension && name.find('.') == std::string_view::npos &&
         Match(pattern.substr(0, pattern.size() - 2), name);
}

}  // namespace kinet::script
