// The twenty system colours that windowed displays keep at palette entries 0-9 and 246-255,
// and that tools place there when they make a palette of their own.
#pragma once

#include <cstdint>

namespace kinet {

inline constexpr int kStaticColoursPerEnd = 10;

// Red, green, blue of entries 0-9, then of entries 246-255.
inline constexpr uint8_t kSystemColours[2 * kStaticColoursPerEnd][3] = {
    {0, 0, 0},       {128, 0, 0},     {0, 128, 0},     {128, 128, 0},   {0, 0, 128},
    {128, 0, 128},   {0, 128, 128},   {192, 192, 192}, {192, 220, 192}, {166, 202, 240},
    {255, 251, 240}, {160, 160, 164}, {128, 128, 128}, {255, 0, 0},     {0, 255, 0},
    {255, 255, 0},   {0, 0, 255},     {255, 0, 255},   {0, 255, 255},   {255, 255, 255},
};

// The palette entry a system colour sits at (index 0..19 into kSystemColours).
inline constexpr int SystemColourEntry(int index) {
  return index < kStaticColoursPerEnd ? index : 236 + index;
}

}  // namespace kinet
