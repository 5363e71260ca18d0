// The built-in commands that work on files and directories, and what they share. Each writes
// its echo and result lines through the runner; arguments are relative to the command
// directory.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "frontend/core/command_runner.h"

namespace kinet::desk {

void MakeDirectory(CommandRunner& runner, std::string_view argument);
void RemoveDirectory(CommandRunner& runner, std::string_view argument);
void ListDirectory(CommandRunner& runner, std::string_view argument);
void DeleteFiles(CommandRunner& runner, std::string_view argument);
void RenameFiles(CommandRunner& runner, std::string_view argument);
void CopyFiles(CommandRunner& runner, std::string_view argument);
void ChangeAttributes(CommandRunner& runner, std::string_view argument);
void TypeFile(CommandRunner& runner, std::string_view argument);
void SaveHistory(CommandRunner& runner, std::string_view argument);

bool HasWildcard(std::string_view name);
// True when `name` matches `pattern` ('*' any run, '?' one character; "*.*" matches all).
bool WildcardMatch(std::string_view pattern, std::string_view name);
// The files (and, when asked, directories) a path with or without wildcards names, sorted;
// a path without wildcards names itself when it exists.
std::vector<std::string> MatchingPaths(const std::string& path, bool directories);
// The target name for `source` under a target pattern: '*' stands for the source's name or
// extension part, '?' for the source's character at that place.
std::string TargetName(std::string_view source, std::string_view pattern);
// The four attribute letters of a listing ("A", "R", "H", "S" or a blank each).
std::string AttributeLetters(const std::filesystem::path& path);
// The argument without the double quotes that group words.
std::string Unquoted(std::string_view argument);

}  // namespace kinet::desk
