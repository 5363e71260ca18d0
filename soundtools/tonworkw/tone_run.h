// One run of tonworkw, in the order of its program: switches, the sound source, the output's
// name, then the converted sound copied in blocks of 16384 bytes into a WAV or raw file, and
// the final message.
#pragma once

#include <span>
#include <string>

#include "platform/clock/clock.h"
#include "platform/files/file_system.h"
#include "toolkit/status_frame.h"
#include "toolkit/switches.h"

namespace kinet::tone {

// Runs the sound processor on its argument words and returns the exit status: 0 success, 1
// failure, 2 the syntax text.
int RunTone(std::span<const std::string> words);

// The same on a frame the caller opened, after the report switches were taken from `line`;
// the output is checked through `files`, and `clock` spaces the progress texts. Returns the
// exit status (Finish is called).
int RunToneOn(toolkit::StatusFrame& frame, toolkit::SwitchLine& line, platform::FileSystem& files,
              platform::Clock& clock);

}  // namespace kinet::tone
