// One run of pixworkw, in the order of its program: switches, source, output name, writer,
// the frame loop, the final message and the clean-up.
#pragma once

#include <span>
#include <string>

#include "graphics/pixworkw/pix_settings.h"
#include "platform/clock/clock.h"
#include "platform/files/file_system.h"
#include "toolkit/status_frame.h"

namespace kinet::pix {

// Runs the graphics processor on its argument words over `files` and `clock` and returns the
// exit status: 0 success, 1 failure, 2 a usage error.
int RunPix(std::span<const std::string> words, platform::FileSystem& files,
           platform::Clock& clock);

// Converts the input of `settings` into its output inside `frame`: opens the source ("Copying
// frame <n> of <last>..."), refuses an output that is a file it reads, creates the writer, copies
// every frame through the colour work, closes the output and shows "Created <output> in
// <elapsed>." timed by `clock`. False when the run failed or was cancelled (already reported,
// the frame's error flag set); the output then does not exist and earlier files of its names
// are as they were.
bool ConvertGraphics(toolkit::StatusFrame& frame, const PixSettings& settings,
                     platform::FileSystem& files, platform::Clock& clock);

}  // namespace kinet::pix
