// Running a tool as its own process, as a user would: the terminal face, no terminal to ask
// (every question takes its default), and what it printed with its exit status.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kinet::testing {

struct ToolRun {
  int status = -1;     // the exit status; -1 when the tool did not exit by itself
  std::string output;  // the terminal face's text (stderr and stdout together)
};

// Runs `program` with `arguments` through the shell (quote names with blanks in them).
ToolRun RunTool(const std::string& program, const std::string& arguments);

// What a signalled run waits for before its signal, given what the tool has said so far.
using ReadyTest = std::function<bool(const std::string& said)>;
// The tool has said `text`.
ReadyTest Said(const std::string& text);

// Starts `program` with `arguments` (no shell) on the terminal face with dummy SDL drivers and
// its error stream on a pipe, waits until `ready` holds, sends it `signal` and returns its exit
// status: -2 when it ended before it was ready; -1 when a signal ended it, or when it had not
// ended half a minute later and was killed (a safety net, not a timing check). What it said
// goes to `said` when given.
int SignalledTool(const std::string& program, const std::vector<std::string>& arguments,
                  const ReadyTest& ready, int signal, std::string* said = nullptr);

// `output` with every run of lines that begin with `progress` cut to its first line: piped, the
// terminal face writes the lines after it only as its clock allows.
std::string FirstOfEachRun(const std::string& output, std::string_view progress);

}  // namespace kinet::testing
