// The frame size and frame type tables that follow the header.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kinet {

struct FrameTables {
  std::vector<uint32_t> sizes;  // byte length of each frame record
  std::vector<uint8_t> types;   // KINET_FRAME_* bits of each frame record
};

// Splits the 5 x records bytes that follow the header into the two tables.
FrameTables ParseFrameTables(const uint8_t* bytes, uint32_t records);

}  // namespace kinet
