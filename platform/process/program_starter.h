// Starting another program without waiting for it (the script command EXECUTE).
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace kinet::platform {

// How a started program ended: its exit status, or the signal that ended it. A program whose
// end can no longer be learnt (reaped elsewhere) reads as exit status -1.
struct ProgramEnd {
  bool signalled = false;
  int code = 0;  // exit status, or the signal number when signalled
};

class ProgramStarter {
 public:
  virtual ~ProgramStarter() = default;
  // Splits `command_line` into words (double quotes group, and are removed) and starts the
  // first word as a program, searched in PATH, with the rest as its arguments, in the current
  // directory, detached. Returns the new process id (always above 31) on success, 2 when the
  // program was not found, 0 on any other failure or an empty command line.
  virtual int Start(const std::string& command_line) = 0;
  // Without waiting: how the program with process id `pid` (a value Start returned) ended, or
  // nullopt while it runs.
  virtual std::optional<ProgramEnd> Finished(int pid) { return std::nullopt; }
};

// Starts real processes. Lives for the whole program.
ProgramStarter& SystemProgramStarter();

// Word splitting shared by the real and the recording starter.
std::vector<std::string> SplitCommandLine(const std::string& command_line);

// For tests: records each command line and answers with a fixed result.
class RecordingProgramStarter : public ProgramStarter {
 public:
  explicit RecordingProgramStarter(int result = 1234) : result_(result) {}
  int Start(const std::string& command_line) override {
    started.push_back(command_line);
    return SplitCommandLine(command_line).empty() ? 0 : result_;
  }
  std::optional<ProgramEnd> Finished(int pid) override {
    auto it = ended.find(pid);
    if (it == ended.end()) return std::nullopt;
    return it->second;
  }
  std::vector<std::string> started;
  std::map<int, ProgramEnd> ended;  // what Finished answers; absent ids still run

 private:
  int result_;
};

}  // namespace kinet::platform
