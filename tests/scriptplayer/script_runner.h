// Runs scripts against an in-memory file system, a manual clock, a private environment and a
// recording program starter, so tests never touch the disk, the process or real time.
#pragma once

#include <memory>
#include <string>

#include "platform/clock/clock.h"
#include "platform/environment/environment.h"
#include "platform/files/memory_file_system.h"
#include "platform/process/program_starter.h"
#include "scriptplayer/engine/interpreter.h"

namespace kinet::script::testing {

class ScriptRunner {
 public:
  ScriptRunner() {
    platform_.files = &files;
    platform_.clock = &clock;
    platform_.environment = &environment;
    platform_.programs = &programs;
    platform_.boxes = &boxes;
    platform_.sounds = &sounds;
    platform_.system.platform = "Linux";
    platform_.system.os_major = 6;
    platform_.system.os_minor = 1;
    platform_.system.available_memory = int64_t{1} << 40;
    platform_.system.executable_path = "/usr/bin/kinetscriptw";
    files.MakeDirectory("/tmp");
  }

  // Writes `text` as /main.ss (or `name`) and runs it as the first file.
  RunOutcome Run(const std::string& text, const std::string& name = "main.ss") {
    files.AddFile(name, text);
    return RunFile(name);
  }
  RunOutcome RunFile(const std::string& name) {
    interpreter_ = std::make_unique<Interpreter>(services());
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

  // The platform services the runner's own (windowless) host is made from; change them before
  // services() or a run.
  PlatformServices& platform() { return platform_; }
  // Runs with `host` (made by the test, usually from platform()) instead of the runner's own.
  void UseHost(PlayerHost* host) { custom_host_ = host; }
  // The run's services, with the host of the next run.
  Services& services() {
    if (custom_host_) {
      services_.host = custom_host_;
    } else if (!own_host_ || services_.host != own_host_.get()) {
      own_host_ = std::make_unique<PlayerHost>(platform_);
      services_.host = own_host_.get();
    }
    return services_;
  }
  Interpreter& interpreter() { return *interpreter_; }

  platform::MemoryFileSystem files;
  platform::ManualClock clock;
  platform::MapEnvironment environment;
  platform::RecordingProgramStarter programs;
  platform::ScriptedMessageBoxes boxes;
  platform::RecordingSoundClips sounds;

 private:
  PlatformServices platform_;
  std::unique_ptr<PlayerHost> own_host_;
  PlayerHost* custom_host_ = nullptr;
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
