// kntinfow's walk through the frame records: the listing of -F and the frames written by -D
// (one PNG picture each) and -W (a flic or numbered pictures), for the frames of -S/-E. Frames
// before the range are decoded too: a frame codes only what changed since the one before.
#pragma once

#include <functional>
#include <string>

#include "kinet/kinet.h"
#include "platform/files/file_system.h"
#include "toolkit/run_inputs.h"
#include "tools/kntinfow/file_tables.h"
#include "tools/kntinfow/info_settings.h"

namespace kinet::info {

enum class ExportOutcome { kDone, kFailed, kInterrupted };

// Errors go to stderr as "Error: ...". An existing picture or output is replaced only with -O,
// and never when it is a file the run reads (`inputs`). `interrupted` is asked before every
// frame; once it says yes the walk stops (an output of -W is not made). Unless done, `h` is
// then at any frame.
ExportOutcome ExportFrames(platform::FileSystem& files, toolkit::RunInputs& inputs, KinetHandle* h,
                           const InfoSettings& s, const FileTables& tables,
                           const std::function<bool()>& interrupted);

}  // namespace kinet::info
