// What kntinfow learns from a video file's own tables before decoding anything: every frame
// record's type, and whether the file holds all the records they announce.
#pragma once

#include <cstdint>
#include <string>

#include "lib/core/frame_tables.h"
#include "platform/files/file_system.h"

namespace kinet::info {

struct FileTables {
  FrameTables records;    // bytes and KINET_FRAME_* bits of each frame record
  uint32_t complete = 0;  // records that lie wholly inside the file
};

// The tables of the file at `path`; empty tables when it cannot be read that far.
FileTables ReadFileTables(platform::FileSystem& files, const std::string& path);

}  // namespace kinet::info
