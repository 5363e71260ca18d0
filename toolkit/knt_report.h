// What kntinfow and kinetplayw print about a video file.
#pragma once

#include <cstdio>

#include "kinet/kinet.h"

namespace kinet::info {

void PrintHeader(std::FILE* out, const KinetHandle& h);
void PrintSummary(std::FILE* out, const KinetSummaryRecord& s);
// One line per frame record: number, size, bytes before the video, palette and audio parts.
void PrintFrameLine(std::FILE* out, const KinetHandle& h, uint8_t type);

}  // namespace kinet::info
