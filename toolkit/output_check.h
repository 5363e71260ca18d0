// The rule every tool keeps before it writes: the output is never a file the run reads, and an
// earlier file of the output's name is replaced only when the user agrees (or /O said so).
#pragma once

#include <string>
#include <string_view>

#include "toolkit/run_inputs.h"
#include "toolkit/status_frame.h"

namespace kinet::toolkit {

inline constexpr std::string_view kOutputIsInput =
    "Output filename must be different than the input filename.";

// Shows kOutputIsInput when the output is a file the run reads (RunInputs::Holds: names that
// differ only in letter case are two files); else, unless `overwrite`, asks before an existing
// output is replaced. False, with the frame's error flag set, when the run must stop.
bool MayWriteOutput(StatusFrame& frame, RunInputs& inputs, const std::string& output,
                    bool overwrite);

}  // namespace kinet::toolkit
