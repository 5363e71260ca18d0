#include "frontend/core/command_runner.h"

#include <filesystem>
#include <system_error>

#include "frontend/core/builtins.h"
#include "frontend/core/command_text.h"

namespace kinet::desk {
namespace {

namespace fs = std::filesystem;

std::string WithoutTrailingSlash(std::string dir) {
  while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
  return dir;
}

// Restores the process's working directory when a command is done with it.
class WorkingDirectory {
 public:
  explicit WorkingDirectory(const std::string& dir) : saved_(fs::current_path(error_)) {
    fs::current_path(dir, error_);
  }
  ~WorkingDirectory() {
    if (!saved_.empty()) fs::current_path(saved_, error_);
  }

 private:
  std::error_code error_;
  fs::path saved_;
};

}  // namespace

CommandRunner::CommandRunner(DeskHost& host, platform::ProgramStarter& starter,
                             std::string start_dir, std::string program_dir)
    : host_(host), starter_(starter), command_dir_(WithoutTrailingSlash(std::move(start_dir))) {
  SetProgramDir(std::move(program_dir));
}

void CommandRunner::SetProgramDir(std::string dir) {
  if (dir.empty() || dir.back() != '/') dir += '/';
  program_dir_ = std::move(dir);
}

bool CommandRunner::HasTool(std::string_view alias) const {
  const std::optional<std::string> tool = ToolForWord(alias);
  if (!tool) return false;
  std::error_code error;
  const fs::path path = fs::path(program_dir_) / *tool;
  return fs::is_regular_file(path, error) &&
         (fs::status(path, error).permissions() & fs::perms::owner_exec) != fs::perms::none;
}

std::string CommandRunner::Resolve(std::string_view path) const {
  const std::string name = Unquoted(path);
  if (name.empty()) return command_dir_;
  fs::path p(name);
  if (p.is_relative()) p = fs::path(command_dir_) / p;
  return WithoutTrailingSlash(p.lexically_normal().string());
}

RunOutcome CommandRunner::Run(std::string_view directory, std::string_view command_text) {
  std::string command = ExpandBatchParameters(command_text, batch_parameters);
  if (host_.ShiftHeld()) command = "Rem " + command;
  if (!directory.empty() && Resolve(directory) != command_dir_) {
    ExecuteBuiltIn("CD " + std::string(directory));
    Prompt();
  }
  if (!batch_running) recent_commands.Add(command);
  RunOutcome outcome;
  if (ExecuteBuiltIn(command)) outcome = StartProgram(command);
  Prompt();
  return outcome;
}

RunOutcome CommandRunner::StartProgram(const std::string& command) {
  Echo(command);
  const Translation t = TranslateCommand(
      command, program_dir_, ReportSwitch(report_number, batch_running || run_specific));
  WorkingDirectory in(command_dir_);
  const int result = starter_.Start(t.text);
  if (result < 32) {
    WriteResult("  Command not found.");
    return {};
  }
  return {t.known_tool, result, t.tool};
}

bool CommandRunner::ChangeDirectory(std::string_view argument) {
  Echo("CD " + std::string(argument));
  const std::string target = Resolve(argument);
  if (target == command_dir_) return true;
  std::error_code error;
  const fs::path real = fs::canonical(target, error);
  if (error || !fs::is_directory(real, error)) {
    WriteResult("  Directory not found.");
    return false;
  }
  command_dir_ = real.string();
  recent_dirs.Add(command_dir_);
  return true;
}

void CommandRunner::ReceiveReport(std::string_view report) {
  history.WriteReport(report);
  Prompt();
}

void CommandRunner::Failure(std::string_view line, std::string_view box) {
  WriteResult(line);
  if (!host_.CommandPageInFront()) host_.ShowError(std::string(box));
}

bool CommandRunner::ExecuteBuiltIn(std::string_view command_text) {
  std::string command = Trimmed(command_text);
  if (!command.empty() && command[0] == '@') command = Trimmed(command.substr(1));
  const std::string head = Lowered(command.substr(0, 3));
  const std::string from_third = command.size() > 2 ? Trimmed(command.substr(2)) : "";
  using Handler = void (*)(CommandRunner&, std::string_view);
  const struct {
    const char* prefix;
    Handler handler;
  } kShortForms[] = {{"cd", [](CommandRunner& r, std::string_view a) { r.ChangeDirectory(a); }},
                     {"md", MakeDirectory},
                     {"rd", RemoveDirectory}};
  for (const auto& form : kShortForms) {
    for (char c : {' ', '\\', '.', '/'}) {
      if (head == std::string(form.prefix) + c) {
        form.handler(*this, c == ' ' || c == '\\' ? from_third : command.substr(2));
        return false;
      }
    }
  }
  if (command.size() == 2 && command[1] == ':') {
    Echo(command);
    WriteResult("  There are no drive letters here: drives are mount points, reached with CD.");
    return false;
  }
  const FirstWord split = SplitFirstWord(command);
  const std::string word = Lowered(split.word);
  const std::string& argument = split.rest;
  const struct {
    std::initializer_list<const char*> words;
    Handler handler;
  } kCommands[] = {
      {{"chdir", "cd"}, [](CommandRunner& r, std::string_view a) { r.ChangeDirectory(a); }},
      {{"mkdir", "md"}, MakeDirectory},
      {{"rmdir", "rd"}, RemoveDirectory},
      {{"dir"}, ListDirectory},
      {{"del", "erase", "delete"}, DeleteFiles},
      {{"ren", "rename", "move", "rendir"}, RenameFiles},
      {{"copy"}, CopyFiles},
      {{"attr", "attrib"}, ChangeAttributes},
      {{"type", "display"}, TypeFile},
      {{"savehist"}, SaveHistory},
  };
  for (const auto& entry : kCommands)
    for (const char* w : entry.words)
      if (word == w) {
        entry.handler(*this, argument);
        return false;
      }
  return ExecuteWindowCommand(word, command, argument);
}

// The commands that open a window or act on the history, and batch files.
bool CommandRunner::ExecuteWindowCommand(const std::string& word, const std::string& command,
                                         const std::string& argument) {
  const std::string file = argument.empty() ? "" : Resolve(argument);
  if (word == "rem" || word == "echo") {
    Echo(command);
  } else if (word == "cls" || word == "clear") {
    history.Clear();
  } else if (word == "exit") {
    Echo("Exit");
    host_.CloseMainWindow();
  } else if (word == "edit") {
    Echo(command);
    host_.OpenTextEditor(file);
  } else if (word == "listedit") {
    Echo(command);
    host_.OpenListEditor(file);
  } else if (word == "knttune") {
    Echo(command);
    host_.OpenAnalysis(file);
  } else if (word == "help") {
    Echo(command);
    host_.OpenHelp();
  } else if (word == "find" || word == "ff" || word == "wh" || word == "filefind" ||
             word == "whereis") {
    Echo(command);
    host_.FindFiles(Resolve(argument));
  } else {
    return RunBatchFile(SplitFirstWord(command).word, argument);
  }
  return false;
}

bool CommandRunner::RunBatchFile(const std::string& word, const std::string& rest) {
  if (word.find_first_of("?*") != std::string::npos) return true;
  std::string name = Unquoted(word);
  if (!fs::path(name).has_extension()) name += ".sbt";
  if (!EqualIgnoringCase(fs::path(name).extension().string(), ".sbt")) return true;
  std::error_code error;
  std::string path = Resolve(name);
  if (!fs::is_regular_file(path, error)) {
    if (name.find('/') != std::string::npos) return true;
    path = program_dir_ + name;
    if (!fs::is_regular_file(path, error)) return true;
  }
  host_.RunBatch(path, rest);
  return false;
}

}  // namespace kinet::desk
