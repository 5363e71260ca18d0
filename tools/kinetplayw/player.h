// Plays a video file with its sound in a display buffer window, paced by the library, with
// the keys of PollDisplayInput: pause, skip, quit, seeking and single steps.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "kinet/kinet.h"
#include "platform/clock/clock.h"
#include "tools/kinetplayw/player_settings.h"

namespace kinet::player {

struct PlayResult {
  bool ok = false;
  std::string message;  // what went wrong, or how the play ended
  KinetSummaryRecord summary{};
  uint32_t frames = 0;  // of the file, the ring frame not counted
  bool interrupted = false;  // ended by `interrupted` (Ctrl-C, a termination request)
};

// Told of every frame shown: its number (from 1; a ring frame shows frame 1), the file's
// frames, the period seconds are counted in (10-microsecond units), the picture shown (null
// when only the sound plays) and its palette.
struct ShownFrame {
  uint32_t frame, frames, period;
  const uint8_t* picture;
  int32_t pitch;
  const uint8_t* palette;  // 256 x red, green, blue
};
using FrameObserver = std::function<void(const ShownFrame&)>;

// True when the play must end at once; asked as often as the keys are.
using Interruption = std::function<bool()>;

// Waits between frames on `clock` (the library paces by its own, LibraryClock).
PlayResult Play(const PlayerSettings& settings, platform::Clock& clock,
                const FrameObserver& observer = {}, const Interruption& interrupted = {});

}  // namespace kinet::player
