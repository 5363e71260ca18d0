// One run of kinetpackw, in the order of its program: switches, source, derived parameters,
// output kind, the analysis pass, the compression pass (or the frame writer), the final
// message and the clean-up.
#pragma once

#include <span>
#include <string>

#include "compressor/kinetpackw/pack_settings.h"
#include "platform/clock/clock.h"
#include "platform/files/file_system.h"
#include "toolkit/status_frame.h"

namespace kinet::pack {

// One compression (or conversion, for a writer's output) with its clean-up, shown on `frame`;
// true when it succeeded. Failures have been shown and set the frame's error.
bool Pack(toolkit::StatusFrame& frame, const PackSettings& settings, platform::FileSystem& files,
          platform::Clock& clock);

// Runs the compressor on its argument words over `files` and `clock` and returns the exit
// status: 0 success, 1 failure, 2 a usage error.
int RunPack(std::span<const std::string> words, platform::FileSystem& files,
            platform::Clock& clock);

}  // namespace kinet::pack
