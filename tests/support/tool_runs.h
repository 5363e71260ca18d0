// Running a tool as its own process, as a user would: the terminal face, no terminal to ask
// (every question takes its default), and what it printed with its exit status.
#pragma once

#include <string>

namespace kinet::testing {

struct ToolRun {
  int status = -1;     // the exit status; -1 when the tool did not exit by itself
  std::string output;  // the terminal face's text (stderr and stdout together)
};

// Runs `program` with `arguments` through the shell (quote names with blanks in them).
ToolRun RunTool(const std::string& program, const std::string& arguments);

}  // namespace kinet::testing
