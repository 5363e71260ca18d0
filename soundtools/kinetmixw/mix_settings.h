// kinetmixw's command line: the switches of one mix, its syntax text, and the frame period and
// first frame a mix derives from them and the input video file.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "toolkit/sound/sound_source.h"
#include "toolkit/switches.h"

namespace kinet::mix {

// The switch table: report, mix and sound switches.
std::span<const toolkit::KnownSwitch> SwitchTable();

extern const std::string_view kSyntax;
inline constexpr std::string_view kTrackMessage = "You must use a track number between 1 and 7.";

struct MixSettings {
  std::string input, sound, output;  // as given
  uint32_t track = 0;                // /M less one: the file's track 0..6
  int lossy_level = 0;               // /L 0..9
  bool loop = false;                 // /P
  int32_t frame_rate = 0;            // /F as given; 0 keeps the file's
  int32_t first_frame = 1;           // /G as given, counted from 1
  bool overwrite = false;            // /O
  // /R /B /C /T /S /E /Y /D /K; the callback is left to the run.
  toolkit::SoundOptions sound_options;
};

// What the command line asks for: settings, the syntax text, or the track message.
enum class LineFault { kSyntax, kTrack };
using MixLine = std::variant<MixSettings, LineFault>;

// Reads every switch after the report switches, then the three names. The syntax text for a
// lossy level outside 0..9, a missing or extra name, or a switch left over; the track message
// for /M outside 1..7.
MixLine ReadMixSettings(toolkit::SwitchLine& line);

// The frame period P in 10-microsecond units: from /F when given (above 0 frames per second,
// -1500..-1 milliseconds, below -1500 the period itself), at least 5; else from the header's
// FrameRate.
uint32_t MixPeriod(int32_t header_frame_rate, int32_t override_rate);

// The index of the first frame that receives sound: /G less one, where 0 and below count as 1
// and a number beyond the last of `records` frame records means the last one.
uint32_t FirstSoundFrame(int32_t first_frame, uint64_t records);

}  // namespace kinet::mix
