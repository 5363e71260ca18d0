#include "soundtools/tonworkw/tone_settings.h"

#include <vector>

#include "toolkit/sound/sound_switches.h"

namespace kinet::tone {

namespace {

using toolkit::KnownSwitch;
using toolkit::SwitchKind;

constexpr std::string_view kSoundLetters = "RBCTSEYDK";

}  // namespace

std::span<const toolkit::KnownSwitch> SwitchTable() {
  static const std::vector<KnownSwitch> table = toolkit::WithSoundSwitches(
      {{'#', SwitchKind::kNumber}, {'#', SwitchKind::kFlag}, {'O', SwitchKind::kFlag}},
      kSoundLetters);
  return table;
}

const std::string_view kSyntax =
    "SYNTAX:  TonWork  InputSoundFile OutputWavFile[.WAV]  [/Switches]\r\n"
    "  Switches:\r\n"
    "    /R# - Force the output data rate (11025, 22050, 44100, or other).\r\n"
    "    /B# - Force the output bits (8 or 16).\r\n"
    "    /C# - Force the output channels (1=mono, 2=stereo).\r\n"
    "    /T# - Sound track to read the sound data from.\r\n"
    "    /S# - Specify a starting millisecond time.\r\n"
    "    /E# - Specify an ending millisecond time.\r\n"
    "    /Y# - Force input file type: 1=8 mono, 2=8 stereo, 3=16 mono, 4=16 stereo.\r\n"
    "        /D# - Specify the forced input file data rate (use with the /Y switch).\r\n"
    "        /K# - Specify how many bytes to skip into the input file (use with /Y).\r\n"
    "    /O  - Automatically overwrites the output file.";

std::optional<ToneSettings> ReadToneSettings(toolkit::SwitchLine& line) {
  ToneSettings s;
  s.overwrite = line.TakeFlag('O');
  s.sound_options = toolkit::ReadSoundSwitches(line, kSoundLetters);
  if (line.HasLeftover() || line.names().size() != 2) return std::nullopt;
  s.input = line.names()[0];
  s.output = line.names()[1];
  if (s.input.empty() || s.output.empty()) return std::nullopt;
  return s;
}

}  // namespace kinet::tone
