#include "toolkit/colour/box_split.h"

#include <algorithm>
#include <array>

#include "toolkit/colour/colour_key.h"

namespace kinet::toolkit {
namespace {

// Cut masks 0..6 limit at least one component; mask 7 limits none, so its low half is the whole
// box and those 64 cuts are always skipped.
constexpr uint32_t kLimitingMasks = 7;

// The largest of the components that `mask` limits: a key lies in the low half of cut
// (mask, level) exactly when this is at most the level.
uint32_t LimitedMax(uint32_t mask, uint32_t red, uint32_t green, uint32_t blue) {
  uint32_t top = 0;
  if ((mask & 1) == 0) top = red;
  if ((mask & 2) == 0) top = std::max(top, green);
  if ((mask & 4) == 0) top = std::max(top, blue);
  return top;
}

}  // namespace

void KeyMoments::Add(uint32_t key, uint64_t weight) {
  const uint64_t r = KeyRed(key), g = KeyGreen(key), b = KeyBlue(key);
  count += weight;
  red += weight * r;
  green += weight * g;
  blue += weight * b;
  squares += weight * (r * r + g * g + b * b);
}

KeyMoments& KeyMoments::operator+=(const KeyMoments& other) {
  count += other.count;
  red += other.red;
  green += other.green;
  blue += other.blue;
  squares += other.squares;
  return *this;
}

KeyMoments KeyMoments::operator-(const KeyMoments& other) const {
  return {count - other.count, red - other.red, green - other.green, blue - other.blue,
          squares - other.squares};
}

void KeyMoments::Colour(uint8_t* rgb) const {
  if (count == 0) {
    rgb[0] = rgb[1] = rgb[2] = 0;
    return;
  }
  rgb[0] = static_cast<uint8_t>(red * 4 / count);
  rgb[1] = static_cast<uint8_t>(green * 4 / count);
  rgb[2] = static_cast<uint8_t>(blue * 4 / count);
}

uint64_t KeyMoments::Error() const {
  if (count == 0) return 0;
  // Sum of count x (k - m)^2 over keys, with m the truncated mean, expanded into the sums:
  // squares - m x (2 x sum - m x count) per component. Exact in integers, and the same total
  // the square table gives key by key.
  uint64_t error = squares;
  for (const uint64_t sum : {red, green, blue}) {
    const uint64_t mean = sum / count;
    error -= mean * (2 * sum - mean * count);
  }
  return error;
}

KeyMoments MomentsOf(std::span<const KeyCount> keys) {
  KeyMoments moments;
  for (const KeyCount& k : keys) moments.Add(k.key, k.count);
  return moments;
}

BoxSplit BestSplit(std::span<const KeyCount> keys, const KeyMoments& whole) {
  // One pass bins every key by its limited maximum under each mask; the low half of cut
  // (mask, level) is then the running sum of that mask's bins up to the level.
  std::array<std::array<KeyMoments, 64>, kLimitingMasks> bins{};
  for (const KeyCount& k : keys) {
    const uint32_t r = KeyRed(k.key), g = KeyGreen(k.key), b = KeyBlue(k.key);
    KeyMoments one;
    one.Add(k.key, k.count);
    for (uint32_t mask = 0; mask < kLimitingMasks; ++mask)
      bins[mask][LimitedMax(mask, r, g, b)] += one;
  }
  BoxSplit best;
  uint64_t best_error = 0;
  for (uint32_t mask = 0; mask < kLimitingMasks; ++mask) {
    KeyMoments low;
    for (uint32_t level = 0; level < 64; ++level) {
      low += bins[mask][level];
      if (low.count == 0 || low.count == whole.count) continue;
      const KeyMoments high = whole - low;
      const uint64_t error = low.Error() + high.Error();
      if (best.cut < 0 || error < best_error) {
        best = {static_cast<int32_t>(mask * 64 + level), low, high, 0};
        best_error = error;
      }
    }
  }
  if (best.cut >= 0) {
    best.reduction = static_cast<int64_t>(whole.Error()) - static_cast<int64_t>(best_error);
  }
  return best;
}

size_t ApplyCut(std::span<KeyCount> keys, int32_t cut) {
  const uint32_t mask = static_cast<uint32_t>(cut) >> 6, level = static_cast<uint32_t>(cut) & 63;
  const auto low_end = std::partition(keys.begin(), keys.end(), [&](const KeyCount& k) {
    return LimitedMax(mask, KeyRed(k.key), KeyGreen(k.key), KeyBlue(k.key)) <= level;
  });
  return static_cast<size_t>(low_end - keys.begin());
}

}  // namespace kinet::toolkit
