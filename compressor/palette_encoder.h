// Palette records: the commands that turn the previous palette into the next. Read by
// kinet::DecodePaletteRecord (lib/core/palette_record.h).
#pragma once

#include <cstdint>
#include <vector>

namespace kinet::encoder {

// The whole palette record (length byte, commands, zero padding to a multiple of 4) that turns
// `previous` into `next` (256 x red, green, blue, 0-255 each; the file keeps 6 bits of each).
// Empty when nothing differs. `literal` (a key frame other than the first) makes every entry a
// literal colour, so that the frame can be shown without its predecessors.
std::vector<uint8_t> EncodePaletteRecord(const uint8_t previous[768], const uint8_t next[768],
                                         bool literal);

}  // namespace kinet::encoder
