// The best split of one box of colour keys, the step the quantizer repeats for every colour it
// makes. A box is a run of (key, count) records; a cut number c = 0..511 splits it: the level is
// c modulo 64, and red, green and blue are each limited to the level unless bit 6, 7 or 8 of c
// is set; the low half takes the keys whose every limited component is at most the level.
#pragma once

#include <cstdint>
#include <span>

namespace kinet::toolkit {

struct KeyCount {
  uint32_t key;
  uint64_t count;
};

// Count-weighted sums of a set of keys: enough to give its colour and its error exactly.
struct KeyMoments {
  uint64_t count = 0;
  uint64_t red = 0, green = 0, blue = 0;  // sums of count x 6-bit component
  uint64_t squares = 0;                   // sum of count x (red^2 + green^2 + blue^2)

  void Add(uint32_t key, uint64_t weight);
  KeyMoments& operator+=(const KeyMoments& other);
  KeyMoments operator-(const KeyMoments& other) const;

  // The colour of the set: per component the weighted mean times 4, truncated. Red, green,
  // blue into `rgb`; black for an empty set.
  void Colour(uint8_t* rgb) const;
  // The count-weighted sum of squared differences between each key's 6-bit components and the
  // colour's components shifted right by 2 (the truncated mean).
  uint64_t Error() const;
};

KeyMoments MomentsOf(std::span<const KeyCount> keys);

// The winning cut of a box: the smallest total error of the two halves, the first cut on ties.
// `cut` is -1 when every cut leaves a half empty (a box of one key).
struct BoxSplit {
  int32_t cut = -1;
  KeyMoments low, high;
  // The box's error minus the errors of its halves; 0 without a cut. Signed: with truncated
  // means a split is not bound to lower the error, and one that does not is no gain.
  int64_t reduction = 0;
};

BoxSplit BestSplit(std::span<const KeyCount> keys, const KeyMoments& whole);

// Reorders the box so that the keys of the cut's low half come first; returns their number.
size_t ApplyCut(std::span<KeyCount> keys, int32_t cut);

}  // namespace kinet::toolkit
