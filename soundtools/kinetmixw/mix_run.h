// One run of kinetmixw, in the order of its program: switches, the input video file, the
// sound, the output's name, then the copy of the video file frame by frame with one track's
// records replaced or added, the header and tables written again, and the final message.
//
// The output is written under a temporary name and takes the output's name only when the
// whole file is written: a failed or cancelled mix leaves no partial file and any earlier file
// of that name as it was.
#pragma once

#include <span>
#include <string>

#include "platform/clock/clock.h"
#include "platform/files/file_system.h"
#include "toolkit/status_frame.h"
#include "toolkit/switches.h"

namespace kinet::mix {

// Runs the mixer on its argument words and returns the exit status: 0 success, 1 failure, 2 a
// usage error (the syntax text, or a track number outside 1..7).
int RunMix(std::span<const std::string> words);

// The same on a frame the caller opened, after the report switches were taken from `line`;
// the input video file is read through `files`, and `clock` times the progress bar. Returns
// the exit status (Finish is called).
int RunMixOn(toolkit::StatusFrame& frame, toolkit::SwitchLine& line, platform::FileSystem& files,
             platform::Clock& clock);

}  // namespace kinet::mix
