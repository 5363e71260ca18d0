// The sub-chunks the flic writer chooses from, each appended with its 6-byte header and padded
// to an even size. flic_decoder.h reads them.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace kinet::toolkit::flic {

// An 8-bit picture of width x height bytes, rows top to bottom.
struct PictureView {
  const uint8_t* pixels;
  uint32_t width, height;
};

// COLOR_256 with the entries of `palette` that differ from `previous` (all of them when
// `previous` is empty). Appends nothing and returns false when no entry differs.
bool AppendColours(std::span<const uint8_t> palette, std::span<const uint8_t> previous,
                   std::vector<uint8_t>& out);
// BYTE_RUN of the whole picture.
void AppendByteRun(PictureView picture, std::vector<uint8_t>& out);
// FLI_COPY of the whole picture.
void AppendCopy(PictureView picture, std::vector<uint8_t>& out);
// DELTA_FLC against `previous` (same size). False, with nothing appended, when the pictures
// are equal or a line cannot be coded.
bool AppendDeltaFlc(PictureView picture, PictureView previous, std::vector<uint8_t>& out);
// DELTA_FLI against `previous`. False, with nothing appended, when the pictures are equal or
// a line needs more than 255 packets.
bool AppendDeltaFli(PictureView picture, PictureView previous, std::vector<uint8_t>& out);

}  // namespace kinet::toolkit::flic
