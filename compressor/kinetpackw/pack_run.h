// One run of kinetpackw, in the order of its program: switches, source, derived parameters,
// output kind, the analysis pass, the compression pass (or the frame writer), the final
// message and the clean-up.
#pragma once

#include <span>
#include <string>

#include "platform/clock/clock.h"
#include "platform/files/file_system.h"

namespace kinet::pack {

// Runs the compressor on its argument words over `files` and `clock` and returns the exit
// status: 0 success, 1 failure, 2 a usage error.
int RunPack(std::span<const std::string> words, platform::FileSystem& files,
            platform::Clock& clock);

}  // namespace kinet::pack
