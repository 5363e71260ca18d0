// The batch player's sequencing: the lines of a batch file run one after another; a line that
// starts a tool of the package waits for that tool's completion report. A tool that ends
// without one (it crashed) gets a result line with how it ended, and the next line runs.
// The window around it calls Tick about every 100 ms and passes reports on.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "frontend/core/command_runner.h"
#include "platform/process/program_starter.h"

namespace kinet::desk {

class BatchPlayer {
 public:
  BatchPlayer(CommandRunner& runner, platform::ProgramStarter& starter)
      : runner_(runner), starter_(starter) {}
  ~BatchPlayer() { Finish(); }

  // Sets the batch parameters (keeping the earlier ones for Finish), echoes the command and
  // loads the file. False when it cannot be read: the text "Error, couldn't load <file>" is
  // then in error().
  bool Begin(const std::string& file, const std::string& parameters);
  // Runs lines until one waits for a tool or none is left.
  void Tick();
  // The awaited tool's completion report arrived (the caller wrote it to the history).
  void ReportArrived() { waiting_ = false; }
  // A confirmed Cancel: no line after the current one runs.
  void Cancel() { cancelled_ = true; }
  // Restores the batch parameters of before; called by the destructor too.
  void Finish();

  bool finished() const { return finished_; }
  bool waiting() const { return waiting_; }
  const std::vector<std::string>& lines() const { return lines_; }
  // "Current ==> <line>" while a line runs or waits.
  const std::string& status() const { return status_; }
  const std::string& error() const { return error_; }

 private:
  void RunLine(const std::string& line);
  void CheckAwaitedTool();

  CommandRunner& runner_;
  platform::ProgramStarter& starter_;
  std::vector<std::string> lines_;
  size_t next_ = 0;
  std::string saved_parameters_, status_, error_;
  bool begun_ = false, finished_ = false, cancelled_ = false, waiting_ = false;
  int awaited_pid_ = 0;
  std::string awaited_tool_;
  std::optional<platform::ProgramEnd> ended_;  // the awaited tool's end, once seen
};

}  // namespace kinet::desk
