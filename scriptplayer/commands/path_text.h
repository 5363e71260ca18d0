// Path texts on this platform, where the directory separator is '/'.
#pragma once

#include <string>
#include <string_view>

namespace kinet::script {

// The path with a '/' appended, unless it is empty or already ends in '/'.
std::string AddSeparator(std::string path);

// True when a file name matches a pattern of '*' and '?' wildcards, letters compared without
// regard to case. As scripts expect, a pattern ending in ".*" also matches names without an
// extension ("*.*" matches every name).
bool MatchesWildcard(std::string_view pattern, std::string_view name);

}  // namespace kinet::script
