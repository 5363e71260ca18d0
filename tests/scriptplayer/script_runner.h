// Runs scripts against an in-memory file system, a manual clock, a private environment and a
// recording program starter, so tests never touch the disk, the process or real time.
#pragma once

#include <memory>
#include <string>

#include "platform/clock/clock.h"
#include "platform/environment/environment.h"
#include "platform/files/memory_file_system.h"
#include "platform/process/program_starter.h"
#include "scriptplayer/interpreter.h"

namespace kinet::script::testing {

class ScriptRunner {
 public:
  ScriptRunner() {
    services_.files = &files;
    services_.clock = &clock;
    services_.environment = &environment;
    services_.programs = &programs;
    services_.system.platform = "Linux";
    services_.system.os_major = 6;
    services_.system.os_minor = 1;
    services_.system.available_memory = int64_t{1} << 40;
    services_.system.executable_path = "/usr/bin/kinetscriptw";
    files.MakeDirectory("/tmp");
  }

  // Writes `text` as /main.ss (or `name`) and runs it as the first file.
  RunOutcome Run(const std::string& text, const std::string& name = "main.ss") {
    files.AddFile(name, text);
    return RunFile(name);
  }
  RunOutcome RunFile(const std::string& name) {
    interpreter_ = std::make_unique<Interpreter>(services_);
    return interpreter_->Run(name);
  }

  // A variable of the last run.
  std::string Var(const std::string& name) const {
    return std::string(interpreter_->GetVariable(name));
  }
  // The whole content of a file, or "<missing>".
  std::string File(const std::string& name) const {
    const std::string* content = files.Content(name);
    return content ? *content : "<missing>";
  }

  Services& services() { return services_; }
  Interpreter& interpreter() { return *interpreter_; }

  platform::MemoryFileSystem files;
  platform::ManualClock clock;
  platform::MapEnvironment environment;
  platform::RecordingProgramStarter programs;

 private:
  Services services_;
  std::unique_ptr<Interpreter> interpreter_;
};

// The error box text a failing command gives: message without its first blank, the command
// text, and where it happened.
inline std::string ErrorText(const std::string& message, const std::string& command,
                             const std::string& file, int line) {
  return message.substr(1) + command + "\r\n  In script file: " + file +
         "  At line number: " + std::to_string(line) + ".\r\n";
}

}  // namespace kinet::script::testing
