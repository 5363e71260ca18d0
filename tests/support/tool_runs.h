// Running a tool as its own process, as a user would: the terminal face, no terminal to ask
// (every question takes its default), and what it printed with its exit status.
#pragma once

#include <string>
#include <string_view>

namespace kinet::testing {

struct ToolRun {
  int status = -1;     // the exit status; -1 when the tool did not exit by itself
  std::string output;  // the terminal face's text (stderr and stdout together)
};

// Runs `program` with `arguments` through the shell (quote names with blanks in them).
ToolRun RunTool(const std::string& program, const std::string& arguments);

// `output` with every run of lines that begin with `progress` cut to its first line: piped, the
// terminal face writes the lines after it only as its clock allows.
std::string FirstOfEachRun(const std::string& output, std::string_view progress);

}  // namespace kinet::testing
