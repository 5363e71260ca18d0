// The 20 colours every palette of the desktop keeps: 10 at entries 0-9 and 10 at 246-255. A new
// palette places them there (unless the settings say never), and a new palette's range gives
// up the entries it shares with them: the reserves below.
#pragma once

#include <cstdint>

#include "toolkit/colour/colour_key.h"

namespace kinet::toolkit {

// Writes the 20 colours into entries 0-9 and 246-255 of `palette`.
void PlaceSystemColours(Palette& palette);

// Red, green, blue of the system colour at palette entry `index` (0-9 or 246-255).
const uint8_t* SystemColour(uint32_t index);

// The entries a new palette of `colours` entries from `start` leaves to the system colours:
// those of 0-9 (low) and of 246-255 (high) inside the range. Never more than the range holds.
struct Reserves {
  uint32_t low = 0, high = 0;
};
Reserves SystemReserves(uint32_t start, uint32_t colours);

}  // namespace kinet::toolkit
