// tonworkw's command line: the switches of one conversion and its syntax text.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "toolkit/sound/sound_source.h"
#include "toolkit/switches.h"

namespace kinet::tone {

// The switch table: report switches, /O and the sound switches.
std::span<const toolkit::KnownSwitch> SwitchTable();

extern const std::string_view kSyntax;

struct ToneSettings {
  std::string input, output;  // as given
  bool overwrite = false;     // /O
  // /R /B /C /T /S /E /Y /D /K; the callback is left to the run.
  toolkit::SoundOptions sound_options;
};

// Reads every switch after the report switches, then the two names. Nothing when a name is
// missing or extra, or a switch is left over: the syntax text.
std::optional<ToneSettings> ReadToneSettings(toolkit::SwitchLine& line);

}  // namespace kinet::tone
