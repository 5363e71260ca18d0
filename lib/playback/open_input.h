// Opening a video file that the caller opened through a FileSystem, for readers that take
// their files from whichever file service their program chose. The handle is used and closed
// like one from KinetOpen.
#pragma once

#include <cstdint>

#include "kinet/kinet.h"
#include "platform/files/input_file.h"

namespace kinet {

// As KinetOpen with `flags` (the descriptor and caller-memory flags do not apply). Null when
// the file is no video file or memory runs out.
KinetHandle* OpenInputFile(platform::InputFile file, uint32_t flags, int32_t extra_buffer);

}  // namespace kinet
