#include "toolkit/colour/system_colours.h"

#include <algorithm>

namespace kinet::toolkit {
namespace {

constexpr uint8_t kLowColours[10][3] = {
    {0, 0, 0},     {128, 0, 0},   {0, 128, 0},     {128, 128, 0},   {0, 0, 128},
    {128, 0, 128}, {0, 128, 128}, {192, 192, 192}, {192, 220, 192}, {166, 202, 240}};
constexpr uint8_t kHighColours[10][3] = {
    {255, 251, 240}, {160, 160, 164}, {128, 128, 128}, {255, 0, 0},   {0, 255, 0},
    {255, 255, 0},   {0, 0, 255},     {255, 0, 255},   {0, 255, 255}, {255, 255, 255}};

}  // namespace

const uint8_t* SystemColour(uint32_t index) {
  return index < 10 ? kLowColours[index] : kHighColours[index - 246];
}

void PlaceSystemColours(Palette& palette) {
  for (uint32_t i = 0; i < 10; ++i) {
    std::copy_n(kLowColours[i], 3, &palette[i * 3]);
    std::copy_n(kHighColours[i], 3, &palette[(246 + i) * 3]);
  }
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
