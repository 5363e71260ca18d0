// Plays a video file with its sound in a display buffer window, paced by the library.
#pragma once

#include <string>

#include "kinet/kinet.h"
#include "tools/kinetplayw/player_settings.h"

namespace kinet::player {

struct PlayResult {
  bool ok = false;
  std::string message;  // what went wrong, or how the play ended
  KinetSummaryRecord summary{};
};

PlayResult Play(const PlayerSettings& settings);

}  // namespace kinet::player
