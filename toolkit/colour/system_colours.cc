#include "toolkit/colour/system_colours.h"

#include <algorithm>

#include "lib/core/system_colours.h"

namespace kinet::toolkit {

const uint8_t* SystemColour(uint32_t index) {
  return kSystemColours[index < 10 ? index : index - 236];
}

void PlaceSystemColours(Palette& palette) {
  for (int i = 0; i < 2 * kStaticColoursPerEnd; ++i)
    std::copy_n(kSystemColours[i], 3, &palette[SystemColourEntry(i) * 3]);
}

Reserves SystemReserves(uint32_t start, uint32_t colours) {
  // A small range may lie wholly inside 0-9 or 246-255; the reserves then cover it and
  // nothing is left to make, rather than a negative count.
  const uint32_t end = start + colours;
  Reserves reserves;
  if (start < 10) reserves.low = std::min(10 - start, colours);
  if (end > 246) reserves.high = std::min(end - 246, colours - reserves.low);
  return reserves;
}

}  // namespace kinet::toolkit
