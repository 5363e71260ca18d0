// The sound switches shared by the compressor, the mixer and the sound processor; each tool
// offers a part of them: /R# output rate, /C# output channels, /B# output bits, /S# start,
// /E# end, /T# video-file track, /Y# forced raw input type with /D# its rate and /K# the bytes
// to skip before the data.
#pragma once

#include <string_view>
#include <vector>

#include "toolkit/sound/sound_source.h"
#include "toolkit/switches.h"

namespace kinet::toolkit {

// The table entries for the offered letters, a selection from "RCBSETYDK" (all numbers).
std::vector<KnownSwitch> SoundSwitchTable(std::string_view letters);
// A tool's own entries followed by those of its sound letters.
std::vector<KnownSwitch> WithSoundSwitches(std::vector<KnownSwitch> own, std::string_view letters);

// Takes the offered switches out of `line` into the options (the callback is left empty).
// /Y1 to /Y5 force raw input, packed as rate x 8 + (value - 1) with the rate from /D (11025
// when missing or outside 1..kMaxSoundRate): 1 8-bit mono, 2 8-bit stereo, 3 16-bit mono,
// 4 16-bit stereo (5 counts as 1). Any other /Y means no raw type and no skip; a negative /K
// skips nothing.
SoundOptions ReadSoundSwitches(SwitchLine& line, std::string_view letters);

}  // namespace kinet::toolkit
