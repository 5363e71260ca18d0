// The command runner: the one path every command takes, typed on the command page, built by a
// page, read from a batch file or made by a file-list menu. Known tools are started with the
// report switch; built-in commands are carried out here; anything else is started unchanged.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "frontend/core/command_history.h"
#include "frontend/core/desk_host.h"
#include "frontend/core/recent_list.h"
#include "platform/process/program_starter.h"

namespace kinet::desk {

struct RunOutcome {
  bool known_tool = false;  // a tool of the package was started
  int pid = 0;              // its process id when started
  std::string tool;         // its executable name
};

class CommandRunner {
 public:
  // `start_dir`: the process's working directory, the command directory until changed.
  // `program_dir`: where the tools are, with or without a trailing '/'.
  CommandRunner(DeskHost& host, platform::ProgramStarter& starter, std::string start_dir,
                std::string program_dir);

  // Runs one command. `directory`, when not empty, becomes the command directory first.
  // Never throws; failures end up as result lines.
  RunOutcome Run(std::string_view directory, std::string_view command);
  // Carries out a built-in command; false when it was one (or a batch file), true when the
  // command must be started as a program.
  bool ExecuteBuiltIn(std::string_view command);

  // Changes the command directory as "CD <argument>" does; false when it failed.
  bool ChangeDirectory(std::string_view argument);
  // A completion report: written to the history, followed by a prompt.
  void ReceiveReport(std::string_view report);

  void WriteResult(std::string_view text) { history.WriteLine(text); }
  void Echo(std::string_view text) { history.Echo(text); }
  void Prompt() { history.Prompt(command_dir_); }
  // Reports a failed file operation: the result line, and the error box when the command page
  // is not in front.
  void Failure(std::string_view line, std::string_view box);

  // A path of the user's typed relative to the command directory, made absolute.
  std::string Resolve(std::string_view path) const;
  std::string Grouped(uint64_t n) const { return GroupedNumber(n, thousands); }

  // True when the tool an alias names ("KinetFR") is an executable file of the program
  // directory.
  bool HasTool(std::string_view alias) const;

  const std::string& command_dir() const { return command_dir_; }
  const std::string& program_dir() const { return program_dir_; }
  void SetProgramDir(std::string dir);
  DeskHost& host() { return host_; }

  CommandHistory history;
  RecentList recent_commands{RecentList::Compare::kIgnoringCase};
  RecentList recent_dirs{RecentList::Compare::kExact};
  RecentList recent_files{RecentList::Compare::kExact};
  std::string thousands = ",";
  std::string batch_parameters;
  uint32_t report_number = 0;  // the channel tools report to
  bool batch_running = false;  // a batch line is running
  bool run_specific = false;   // the command page's Run button runs a line
  // Directories a page remembers (the script page's), rewritten when a rename moves them.
  std::vector<std::string*> tracked_dirs;

 private:
  friend void RewriteMovedDirs(CommandRunner& runner, const std::string& from,
                               const std::string& to);
  bool ExecuteWindowCommand(const std::string& word, const std::string& command,
                            const std::string& argument);
  bool RunBatchFile(const std::string& word, const std::string& rest);
  RunOutcome StartProgram(const std::string& command);

  DeskHost& host_;
  platform::ProgramStarter& starter_;
  std::string command_dir_, program_dir_;
};

}  // namespace kinet::desk
