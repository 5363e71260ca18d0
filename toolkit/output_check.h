// The rule every tool keeps before it writes: the output is never a file the run reads, and an
// earlier file of the output's name is replaced only when the user agrees (or /O said so).
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "platform/files/file_system.h"
#include "toolkit/status_frame.h"

namespace kinet::toolkit {

inline constexpr std::string_view kOutputIsInput =
    "Output filename must be different than the input filename.";

// True when `output` names one of `inputs`: the same full path, or one file under two names
// (a link). Names that differ only in letter case are two files.
bool NamesAnInput(platform::FileSystem& files, const std::string& output,
                  std::initializer_list<std::string> inputs);

// Shows kOutputIsInput when the output names an input; else, unless `overwrite`, asks before
// an existing output is replaced. False, with the frame's error flag set, when the run must
// stop.
bool MayWriteOutput(StatusFrame& frame, platform::FileSystem& files, const std::string& output,
                    std::initializer_list<std::string> inputs, bool overwrite);

}  // namespace kinet::toolkit
