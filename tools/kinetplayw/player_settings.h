// What kinetplayw is asked to do, read from its command line.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "toolkit/switches.h"

namespace kinet::player {

struct PlayerSettings {
  std::string file;
  int32_t loops = 1;                    // /L<n>; 0 = forever (/L alone)
  std::optional<int32_t> frame_rate;    // /F<fps>; 0 = as fast as possible (/F alone)
  bool preload = false;                 // /P
  bool summary = false;                 // /S: summary, and the frame and time while playing
  uint32_t start_frame = 1;             // /S#, counted from 1
  bool no_drop = false;                 // /N
  int32_t x = -1, y = -1;               // /X /Y window position; -1 centred
  int32_t width = 0, height = 0;        // /W /H shown size; 0 the picture's
  bool sound_only = false;              // /O
  uint32_t window_style = 0;            // /I 0..4
  bool changes_only = false;            // /K copy only the changed rectangles
  bool keep_playing_unfocused = false;  // /J
  bool device_thread_sound = false;     // /Z
  bool show_frame_numbers = false;      // /Q
  uint32_t display = 0;                 // /V 0..4
  uint32_t tracks = 127;                // /T mask of tracks 1..7
  uint32_t controls = 0;                // /U bit 0 no pause, bit 1 no skip, bit 2 no quit
  uint32_t height_mode = 0;             // /A 0 file's, 1 interlace, 2 double, 3 none
  uint32_t simulate = 0;                // /M bytes per second
  int32_t extra_memory = -1;            // /E read-ahead bytes; -1 automatic
  bool fill_read_ahead = false;         // /G
};

// The switch table (for SwitchLine) and the usage text.
std::span<const toolkit::KnownSwitch> PlayerSwitches();
extern const std::string_view kPlayerUsage;

// Reads every switch but the report switches; nullopt on a syntax error or a value out of
// range (the usage is then shown).
std::optional<PlayerSettings> ReadPlayerSettings(toolkit::SwitchLine& line);

// The open flags and display mode the settings ask for.
uint32_t OpenFlags(const PlayerSettings& settings);
uint32_t DisplayMode(const PlayerSettings& settings);

}  // namespace kinet::player
