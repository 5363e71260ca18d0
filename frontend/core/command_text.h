// Command texts on their way to a tool: the first word, the tool alias table, batch parameters
// %1..%9, and the report switch that tells a tool where to send its completion report.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kinet::desk {

struct FirstWord {
  std::string word;  // a leading quoted word keeps its quotes
  std::string rest;
};

// Splits off the first word: a quoted word runs to the next double quote, any other to the
// first blank or control character. Both parts are trimmed.
FirstWord SplitFirstWord(std::string_view text);
// The words of a text, split repeatedly as SplitFirstWord does.
std::vector<std::string> Words(std::string_view text);

// The executable an alias word starts ("kinetpackw" for "KinetPack.EXE", "/usr/bin/kinetpack"),
// or nullopt when the word is not a tool of the package.
std::optional<std::string> ToolForWord(std::string_view word);

// Replaces %1..%9 by the words of `parameters` (a missing word is the empty text) and trims.
// Replacement repeats while a parameter brings in a further %n, for at most a few rounds, so
// a parameter that names itself cannot loop forever.
std::string ExpandBatchParameters(std::string_view command, std::string_view parameters);

// " /#<number>", and "/#" behind it when the tool is to close its status window by itself.
std::string ReportSwitch(uint32_t number, bool close_when_done);

struct Translation {
  bool known_tool = false;
  std::string tool;  // the executable, when known
  std::string text;  // the command to start
};

// Rewrites a command whose first word is a tool alias: the executable with the program
// directory in front, the rest, and the report switch. Other commands stay as they are. The
// program directory always stands in front, also when it is the command directory: the
// system's search for programs does not look into the working directory here.
Translation TranslateCommand(std::string_view command, const std::string& program_dir,
                             std::string_view report_switch);

}  // namespace kinet::desk
