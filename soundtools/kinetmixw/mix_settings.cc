#include "soundtools/kinetmixw/mix_settings.h"

#include <algorithm>
#include <vector>

#include "lib/core/format.h"
#include "toolkit/sound/sound_switches.h"

namespace kinet::mix {

namespace {

using toolkit::KnownSwitch;
using toolkit::SwitchKind;

constexpr std::string_view kSoundLetters = "RBCTSEYDK";
constexpr uint32_t kMinimumPeriod = 5;

}  // namespace

std::span<const toolkit::KnownSwitch> SwitchTable() {
  static const std::vector<KnownSwitch> table =
      toolkit::WithSoundSwitches({{'#', SwitchKind::kNumber},
                                  {'#', SwitchKind::kFlag},
                                  {'M', SwitchKind::kNumber},
                                  {'L', SwitchKind::kNumber},
                                  {'P', SwitchKind::kFlag},
                                  {'F', SwitchKind::kNumber},
                                  {'G', SwitchKind::kNumber},
                                  {'O', SwitchKind::kFlag}},
                                 kSoundLetters);
  return table;
}

const std::string_view kSyntax =
    "SYNTAX: KinetMix KinetInput DataFile[.WAV]<.KNT/.AVI> KinetOutput [/Switches]\r\n"
    "  Switches:\r\n"
    "    /M# - Specify the output Kinetor track (1-7).\r\n"
    "    /L# - Sound compression lossy level: 0 to 9 (lossless to very lossy).\r\n"
    "    /P  - Loop the sound if the sound is shorter than the Kinetor file.\r\n"
    "    /F# - Override the output frame rate.\r\n"
    "    /G# - Specifies the beginning frame to mix the sound into.\r\n"
    "    /R# - Force the output data rate (usually 11025, 22050, or 44100).\r\n"
    "    /B# - Force the output bits (8 or 16).\r\n"
    "    /C# - Force the output channels (1=mono, 2=stereo).\r\n"
    "    /T# - Sound track to read the sound data from.\r\n"
    "    /S# - Specify a starting millisecond time.\r\n"
    "    /E# - Specify an ending millisecond time.\r\n"
    "    /Y# - Force input file type: 1=8 mono, 2=8 stereo, 3=16 mono, 4=16 stereo.\r\n"
    "        /D# - Specify the forced input file data rate (use with the /Y switch).\r\n"
    "        /K# - Specify how many bytes to skip into the input file (use with /Y).\r\n"
    "    /O  - Automatically overwrite the output file.";

MixLine ReadMixSettings(toolkit::SwitchLine& line) {
  MixSettings s;
  const int32_t track = line.TakeNumber('M').value_or(1);
  s.lossy_level = line.TakeNumber('L').value_or(0);
  s.loop = line.TakeFlag('P');
  s.frame_rate = line.TakeNumber('F').value_or(0);
  s.first_frame = line.TakeNumber('G').value_or(1);
  s.overwrite = line.TakeFlag('O');
  s.sound_options = toolkit::ReadSoundSwitches(line, kSoundLetters);
  // A negative level would code at level 0 without saying so: it is refused like 10.
  if (line.HasLeftover() || line.names().size() != 3 || s.lossy_level < 0 || s.lossy_level > 9)
    return LineFault::kSyntax;
  s.input = line.names()[0];
  s.sound = line.names()[1];
  s.output = line.names()[2];
  if (s.input.empty() || s.sound.empty() || s.output.empty()) return LineFault::kSyntax;
  if (track < 1 || track > 7) return LineFault::kTrack;
  s.track = static_cast<uint32_t>(track - 1);
  return s;
}

uint32_t MixPeriod(int32_t header_frame_rate, int32_t f) {
  if (f == 0) return FramePeriod(header_frame_rate);
  uint32_t period;
  if (f > 0)
    period = 100000u / static_cast<uint32_t>(f);
  else if (f >= -1500)
    period = static_cast<uint32_t>(-f) * 100u;
  else
    period = 0u - static_cast<uint32_t>(f);
  return std::max(period, kMinimumPeriod);
}

uint32_t FirstSoundFrame(int32_t first_frame, uint64_t records) {
  if (first_frame <= 1 || records == 0) return 0;
  return static_cast<uint32_t>(std::min<uint64_t>(uint64_t(first_frame), records) - 1);
}

}  // namespace kinet::mix
