// The start and end of kinetscriptw: its command line, the report channel of the program that
// started it, which script runs, and how the run's outcome reaches the user.
//
// Command line: the script name (".ss" is added when it has no extension), then the script's
// own arguments (what SYSTEMCOMMANDLINE returns). "/#<n>" names the report channel and a bare
// "/#" is accepted; any other switch word shows the usage. Without a script name
// "autoexec.ss" runs, and when there is none the usage shows.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "scriptplayer/engine/interpreter.h"

namespace kinet::script {

inline constexpr std::string_view kPlayerTitle = "KinetScript - V3.0f";
inline constexpr std::string_view kPlayerNotice = "Kinetor script player";
inline constexpr std::string_view kPlayerBanner = "KinetScriptW 3.0f  Kinetor script player";
inline constexpr std::string_view kUsageText = "  Syntax:  kinetscriptw  <Kinetor Script[.ss]>";
// The owner query's answer that tells the player not to report back.
inline constexpr uint32_t kOwnerRefused = 8995;

// Exit statuses: the run ended normally, failed with an error, or showed the usage.
inline constexpr int kExitRan = 0;
inline constexpr int kExitError = 1;
inline constexpr int kExitUsage = 2;

struct StartLine {
  std::optional<uint32_t> report_channel;
  bool usage = false;       // a switch other than "/#"
  std::string script;       // empty: autoexec.ss
  std::string script_args;  // the script's arguments, blanks inside one quoted
};

// Reads the player's arguments (without the program name).
StartLine ParseStartLine(const std::vector<std::string>& args);

// What the start needs from the desktop: message boxes and the report channel.
class StartHost {
 public:
  enum class Box { kUsage, kError, kInformation };
  virtual ~StartHost() = default;
  virtual void ShowBox(Box kind, std::string_view caption, std::string_view text) = 0;
  // The owner query (10019); nullopt when nobody answers.
  virtual std::optional<uint32_t> QueryOwner(uint32_t channel) = 0;
  virtual bool ChannelExists(uint32_t channel) = 0;
  virtual void SendCompletion(uint32_t channel, std::string_view text) = 0;
};

// Runs the whole program: owner query, the script (or autoexec.ss, or the usage), the error
// box, the completion report. `services` are those of the run without the command line.
// Returns the exit status.
int RunPlayer(const std::vector<std::string>& args, Services services, StartHost& host);

}  // namespace kinet::script
