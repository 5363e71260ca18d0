// Hint files: per-frame rate codes and key flags for ranges of frames. One entry per line,
// words separated by blanks or commas: first frame, last frame, rate code, key flag (0 or 1).
// Frame numbers are those of the source (the first frame encoded has number `first_number`);
// a range in falling order is turned round and clipped to the frames encoded, and a line whose
// first frame is 0 or outside them is ignored. A rate code or key flag of "*", or missing,
// leaves that setting as it was; an invalid rate code too. Later lines override earlier ones.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/files/file_system.h"

namespace kinet::encoder {

struct FrameHints {
  std::vector<uint8_t> key;   // per frame encoded: 1 forces a key frame
  std::vector<int32_t> rate;  // per frame encoded: a rate code or kNoRateCode
};

// No hints for `count` frames.
FrameHints NoHints(uint32_t count);

// Applies the lines of a hint file's text to `hints` (frames first_number ..
// first_number + count - 1).
void ApplyHintText(const std::string& text, uint32_t first_number, FrameHints& hints);

// Reads the file `path` of `files` into hints; a file that cannot be opened gives no hints.
FrameHints ReadHintFile(platform::FileSystem& files, const std::string& path, uint32_t first_number,
                        uint32_t count);

}  // namespace kinet::encoder
