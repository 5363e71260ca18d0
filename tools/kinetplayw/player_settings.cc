#include "tools/kinetplayw/player_settings.h"

#include "kinet/kinet.h"
#include "kinet/kinet_buffer.h"

namespace kinet::player {

namespace {

using toolkit::SwitchKind;

constexpr toolkit::KnownSwitch kSwitches[] = {
    {'L', SwitchKind::kNumber}, {'L', SwitchKind::kFlag},   {'F', SwitchKind::kNumber},
    {'F', SwitchKind::kFlag},   {'P', SwitchKind::kFlag},   {'S', SwitchKind::kNumber},
    {'S', SwitchKind::kFlag},
    {'N', SwitchKind::kFlag},   {'X', SwitchKind::kNumber}, {'Y', SwitchKind::kNumber},
    {'W', SwitchKind::kNumber}, {'H', SwitchKind::kNumber}, {'O', SwitchKind::kFlag},
    {'B', SwitchKind::kFlag},   {'I', SwitchKind::kNumber}, {'C', SwitchKind::kFlag},
    {'R', SwitchKind::kFlag},   {'G', SwitchKind::kFlag},   {'K', SwitchKind::kFlag},
    {'J', SwitchKind::kFlag},   {'Z', SwitchKind::kFlag},   {'Q', SwitchKind::kFlag},
    {'V', SwitchKind::kNumber}, {'D', SwitchKind::kNumber}, {'T', SwitchKind::kNumber},
    {'U', SwitchKind::kNumber}, {'A', SwitchKind::kNumber}, {'M', SwitchKind::kNumber},
    {'E', SwitchKind::kNumber}, {'#', SwitchKind::kNumber}, {'#', SwitchKind::kFlag},
};

// A numeric switch limited to [low, high]; out of range fails the whole line.
bool TakeInRange(toolkit::SwitchLine& line, char letter, int32_t low, int32_t high,
                 int32_t& value) {
  auto taken = line.TakeNumber(letter);
  if (!taken) return true;
  if (*taken < low || *taken > high) return false;
  value = *taken;
  return true;
}

}  // namespace

const std::string_view kPlayerUsage =
    "Usage: kinetplayw file.knt [switches]\n"
    "  /L[n]  loop n times, forever without n     /F[n]  n frames per second, fast without n\n"
    "  /P  preload the file    /N  never drop frames    /S#  start at frame #\n"
    "  /S  show the frame and time while playing, and a summary at the end\n"
    "  /X# /Y# window position    /W# /H# stretch to this size\n"
    "  /O  sound only    /I#  window style 0-4    /K  copy only what changed\n"
    "  /J  keep playing without the focus    /Z  device-thread sound    /Q  show frame numbers\n"
    "  /V#  display 0 automatic, 1 full screen 320x240, 2 full screen 320x200, 3 software,\n"
    "       4 accelerated\n"
    "  /T#  sound tracks, a mask of tracks 1-7 (127 all)\n"
    "  /U#  controls: 1 no pause, 2 no skip, 4 no quit (added up)\n"
    "  /A#  height 0 as the file says, 1 interlaced, 2 doubled, 3 as stored\n"
    "  /M#  simulate a device of # bytes per second    /E#  read-ahead bytes    /G  fill it\n"
    "  /B /C /R /D#  accepted for compatibility\n"
    "Keys: Space pauses, Enter skips to the next loop, Escape quits; Left and Right go a\n"
    "  second back and on, Page Up and Page Down ten seconds, Home and End to the first and\n"
    "  last frame; '.' shows the next frame while paused.\n";

std::span<const toolkit::KnownSwitch> PlayerSwitches() { return kSwitches; }

std::optional<PlayerSettings> ReadPlayerSettings(toolkit::SwitchLine& line) {
  PlayerSettings s;
  if (auto loops = line.TakeNumber('L')) {
    if (*loops < 0) return std::nullopt;
    s.loops = *loops;
  } else if (line.TakeFlag('L')) {
    s.loops = 0;
  }
  if (auto rate = line.TakeNumber('F')) {
    if (*rate < 0) return std::nullopt;
    s.frame_rate = *rate;
  } else if (line.TakeFlag('F')) {
    s.frame_rate = 0;
  }
  s.preload = line.TakeFlag('P');
  // /S# starts at a frame, as the other tools' /S# do; /S alone shows the summary and the
  // read-out.
  if (auto start = line.TakeNumber('S')) {
    if (*start < 1) return std::nullopt;
    s.start_frame = static_cast<uint32_t>(*start);
  }
  s.summary = line.TakeFlag('S');
  s.no_drop = line.TakeFlag('N');
  s.sound_only = line.TakeFlag('O');
  s.changes_only = line.TakeFlag('K');
  s.keep_playing_unfocused = line.TakeFlag('J');
  s.device_thread_sound = line.TakeFlag('Z');
  s.show_frame_numbers = line.TakeFlag('Q');
  s.fill_read_ahead = line.TakeFlag('G');
  for (char ignored : {'B', 'C', 'R'}) line.TakeFlag(ignored);
  int32_t style = 0, display = 0, tracks = 127, controls = 0, height = 0, simulate = 0, res = 0;
  const bool ok =
      TakeInRange(line, 'X', -1, 32767, s.x) && TakeInRange(line, 'Y', -1, 32767, s.y) &&
      TakeInRange(line, 'W', 0, 32768, s.width) && TakeInRange(line, 'H', 0, 32768, s.height) &&
      TakeInRange(line, 'I', 0, 4, style) && TakeInRange(line, 'V', 0, 4, display) &&
      TakeInRange(line, 'D', 0, 4, res) && TakeInRange(line, 'T', 0, 127, tracks) &&
      TakeInRange(line, 'U', 0, 7, controls) && TakeInRange(line, 'A', 0, 3, height) &&
      TakeInRange(line, 'M', 0, INT32_MAX, simulate) &&
      TakeInRange(line, 'E', -1, INT32_MAX, s.extra_memory);
  if (!ok || line.HasLeftover() || line.names().size() != 1) return std::nullopt;
  s.window_style = static_cast<uint32_t>(style);
  s.display = static_cast<uint32_t>(display);
  s.tracks = static_cast<uint32_t>(tracks);
  s.controls = static_cast<uint32_t>(controls);
  s.height_mode = static_cast<uint32_t>(height);
  s.simulate = static_cast<uint32_t>(simulate);
  s.file = line.names()[0];
  return s;
}

uint32_t OpenFlags(const PlayerSettings& s) {
  uint32_t flags = s.tracks << 13;
  if (s.frame_rate) flags |= KINET_OPEN_FRAME_RATE;
  if (s.preload) flags |= KINET_OPEN_PRELOAD;
  if (s.fill_read_ahead) flags |= KINET_OPEN_FILL_READ_AHEAD;
  if (s.no_drop) flags |= KINET_OPEN_NO_SKIP;
  if (s.simulate) flags |= KINET_OPEN_SIMULATE;
  flags |= s.height_mode * KINET_OPEN_Y_INTERLACED;
  return flags;
}

uint32_t DisplayMode(const PlayerSettings& s) {
  constexpr uint32_t kModes[] = {KINET_MODE_AUTOMATIC, KINET_MODE_FULL_320X240,
                                 KINET_MODE_FULL_320X200, KINET_MODE_SOFTWARE,
                                 KINET_MODE_ACCELERATED};
  return kModes[s.display];
}

}  // namespace kinet::player
