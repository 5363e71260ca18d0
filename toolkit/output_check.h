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
inline constexpr std::string_view kOutputIsFolder = "Output filename names a folder: ";
inline constexpr std::string_view kOutputHasNoName =
    "Output filename has no name before its extension: ";

// A tool's error text for a file operation that failed, with a second line naming the path
// and the file service's reason ("out/x.knt: No space left on device"; the path alone when
// the service gave none).
std::string FileFailure(std::string_view text, platform::FileSystem& files,
                        const std::string& path);

// An output name must lead to a file with a name of its own: one ending in '/', ".", "..",
// naming an existing folder, or whose last part is an extension alone ("out/.knt", which a
// default extension makes of "out/") is refused, with kOutputIsFolder or kOutputHasNoName and
// the name, and the frame's error flag set. A default extension turns "out/" into "out/.knt",
// which is refused as having no name.
bool NamesAFile(StatusFrame& frame, platform::FileSystem& files, const std::string& output);

// NamesAFile first; then shows kOutputIsInput when the output is a file the run reads
// (RunInputs::Holds: names that differ only in letter case are two files); else, unless
// `overwrite`, asks before an existing output is replaced. False, with the frame's error flag set, when the run must stop.
bool MayWriteOutput(StatusFrame& frame, RunInputs& inputs, const std::string& output,
                    bool overwrite);

}  // namespace kinet::toolkit
