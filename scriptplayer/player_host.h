// The player around the language engine: the one door through which commands reach the
// files, the clock, the environment, other programs, the facts about the system and the
// player window. The engine runs without a window until the player opens one; this base
// class is the player without a window (the headless player and most tests), and the
// windowed player overrides the window calls.
#pragma once

#include <string>
#include <string_view>

#include "kinet/kinet.h"
#include "platform/audio/sound_clips.h"
#include "platform/clock/clock.h"
#include "platform/environment/environment.h"
#include "platform/files/file_system.h"
#include "platform/message_box/message_box.h"
#include "platform/process/program_starter.h"
#include "platform/system_info/system_info.h"

namespace kinet::script {

class Screen;

// The operating-system services of a run. Every pointer must be set and outlive the host.
struct PlatformServices {
  platform::FileSystem* files = nullptr;
  platform::Clock* clock = nullptr;
  platform::Environment* environment = nullptr;
  platform::ProgramStarter* programs = nullptr;
  platform::SystemInfo system;
  platform::MessageBoxes* boxes = nullptr;
  platform::SoundClips* sounds = nullptr;
};

class PlayerHost {
 public:
  explicit PlayerHost(PlatformServices services) : services_(std::move(services)) {}
  virtual ~PlayerHost() = default;
  PlayerHost(const PlayerHost&) = delete;
  PlayerHost& operator=(const PlayerHost&) = delete;

  platform::FileSystem& files() const { return *services_.files; }
  platform::Clock& clock() const { return *services_.clock; }
  platform::Environment& environment() const { return *services_.environment; }
  platform::ProgramStarter& programs() const { return *services_.programs; }
  const platform::SystemInfo& system() const { return services_.system; }
  platform::MessageBoxes& boxes() const { return *services_.boxes; }
  platform::SoundClips& sounds() const { return *services_.sounds; }

  // Pumps window messages and services the sound output. Called between commands, after
  // every loaded line and inside every wait. While auto-pause holds the script (the window
  // lacks the focus), it keeps pumping before it returns.
  virtual void Pump() {}
  // Called before and after every command that may use the image (LeavesImageAlone is false):
  // the windowed player takes its drawn pointer off the image for the command and puts it
  // back afterwards.
  virtual void CommandStarts() {}
  virtual void CommandEnded() {}
  // True while the player window exists.
  virtual bool WindowExists() const { return false; }
  // Draws one line of text at the text cursor (listings when no debug file is open).
  virtual void DrawTextLine(std::string_view /*text*/) {}
  // Opens a video file through the playback library (the library reads the file system
  // itself); null when it cannot be opened.
  virtual KinetHandle* OpenVideo(const std::string& path, uint32_t flags) {
    return KinetOpen(path.c_str(), flags, 0);
  }
  // The player window, open or not; null for a player that never opens one.
  virtual Screen* screen() { return nullptr; }

 private:
  PlatformServices services_;
};

}  // namespace kinet::script
