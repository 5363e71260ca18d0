// The two questions every program on the system answers from its command line: `--help` (the
// usage on standard output) and `--version` (name and version), answered before anything else
// is opened, read or written, with exit status 0.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kinet::platform {

struct ProgramInfo {
  std::string_view name;                    // the program's file name, "kntsample"
  std::span<const std::string_view> usage;  // the usage boxes the program shows, in order
};

// The package's version, "0.1.0".
std::string_view PackageVersion();

// The answer when a word is exactly "--help" or "--version" (the first such word decides):
// the usage boxes with line ends as the terminal wants them, or "<name> (Kinetor) <version>".
// Nothing when no word asks.
std::optional<std::string> InfoAnswer(std::span<const std::string> words, const ProgramInfo& info);

// For the start of main: writes InfoAnswer over argv[1..argc) to standard output and returns
// the exit status (0, or 1 when standard output cannot be written); nothing when no word asks.
std::optional<int> AnswerInfoRequest(int argc, char** argv, const ProgramInfo& info);

}  // namespace kinet::platform
