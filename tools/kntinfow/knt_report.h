// What kntinfow prints about a video file, and its frame pictures.
#pragma once

#include <cstdio>
#include <string>

#include "kinet/kinet.h"

namespace kinet::info {

void PrintHeader(std::FILE* out, const KinetHandle& h);
void PrintSummary(std::FILE* out, const KinetSummaryRecord& s);
// One line per frame record: number, size, bytes before the video, palette and audio parts.
void PrintFrameLine(std::FILE* out, const KinetHandle& h, uint8_t type);

// Writes an 8-bit picture through its palette as a binary PPM. False when writing fails.
bool WritePpm(const std::string& path, const uint8_t* pixels, uint32_t width, uint32_t height,
              const uint8_t palette[768]);

}  // namespace kinet::info
