// Wildcards and target names shared by the built-in file commands.
#include <algorithm>
#include <filesystem>
#include <system_error>

#include "frontend/core/builtins.h"

namespace kinet::desk {
namespace {

namespace fs = std::filesystem;

bool Match(std::string_view p, std::string_view n) {
  while (!p.empty()) {
    if (p[0] == '*') {
      p.remove_prefix(1);
      for (size_t skip = 0; skip <= n.size(); ++skip)
        if (Match(p, n.substr(skip))) return true;
      return false;
    }
    if (n.empty() || (p[0] != '?' && p[0] != n[0])) return false;
    p.remove_prefix(1);
    n.remove_prefix(1);
  }
  return n.empty();
}

// One part (name or extension) of a target pattern filled from the source's part.
std::string FillPart(std::string_view pattern, std::string_view source) {
  std::string out;
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '*') {
      if (i < source.size()) out += source.substr(i);
      break;
    }
    if (pattern[i] == '?') {
      if (i < source.size()) out += source[i];
    } else {
      out += pattern[i];
    }
  }
  return out;
}

std::pair<std::string_view, std::string_view> NameAndExtension(std::string_view name) {
  const size_t dot = name.rfind('.');
  if (dot == std::string_view::npos || dot == 0) return {name, {}};
  return {name.substr(0, dot), name.substr(dot + 1)};
}

}  // namespace

bool HasWildcard(std::string_view name) { return name.find_first_of("*?") != name.npos; }

bool WildcardMatch(std::string_view pattern, std::string_view name) {
  if (pattern == "*.*") return true;
  return Match(pattern, name);
}

std::vector<std::string> MatchingPaths(const std::string& path, bool directories) {
  std::error_code error;
  const fs::path p(path);
  std::vector<std::string> found;
  const auto wanted = [&](const fs::path& entry) {
    return fs::is_regular_file(entry, error) || (directories && fs::is_directory(entry, error));
  };
  if (!HasWildcard(p.filename().string())) {
    if (wanted(p)) found.push_back(path);
    return found;
  }
  for (const fs::directory_entry& entry : fs::directory_iterator(p.parent_path(), error))
    if (WildcardMatch(p.filename().string(), entry.path().filename().string()) &&
        wanted(entry.path()))
      found.push_back(entry.path().string());
  std::sort(found.begin(), found.end());
  return found;
}

std::string TargetName(std::string_view source, std::string_view pattern) {
  if (!HasWildcard(pattern)) return std::string(pattern);
  if (pattern == "*.*" || pattern == "*") return std::string(source);
  const auto [source_name, source_ext] = NameAndExtension(source);
  const size_t dot = pattern.rfind('.');
  if (dot == std::string_view::npos) return FillPart(pattern, source);
  const std::string name = FillPart(pattern.substr(0, dot), source_name);
  const std::string ext = FillPart(pattern.substr(dot + 1), source_ext);
  return ext.empty() ? name : name + "." + ext;
}

std::string Unquoted(std::string_view argument) {
  std::string out;
  for (char c : argument)
    if (c != '"') out += c;
  return Trimmed(out);
}

}  // namespace kinet::desk
