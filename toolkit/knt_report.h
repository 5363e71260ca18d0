// What kntinfow and kinetplayw print about a video file.
#pragma once

#include <cstdio>

#include "kinet/kinet.h"

namespace kinet::info {

void PrintHeader(std::FILE* out, const KinetHandle& h);
// The summary of a handle of `frames` frames (the ring frame not counted); the lines of playing
// (time played, skipped frames, underruns, read speed) only when it was `played`.
void PrintSummary(std::FILE* out, const KinetSummaryRecord& s, uint32_t frames, bool played);
// One line per frame record: number, size, bytes before the video, palette and audio parts.
void PrintFrameLine(std::FILE* out, const KinetHandle& h, uint8_t type);

}  // namespace kinet::info
