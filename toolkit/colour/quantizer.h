// The quantizer: splits the colour keys of a histogram into boxes until it has made the colours
// wanted, and writes each box's colour into the palette.
#pragma once

#include <cstdint>

#include "toolkit/colour/colour_key.h"
#include "toolkit/colour/histogram.h"

namespace kinet::toolkit {

struct QuantizeResult {
  uint32_t colours = 0;    // colours written from start + low reserve onward
  bool cancelled = false;  // the user cancelled; the colours made so far are written
};

// Makes `colours` - `low_reserve` - `high_reserve` colours into the entries from `start` +
// `low_reserve` onward (start + colours <= 256; the reserves never exceed `colours` together).
// First forgets the histogram counts of the system colours at the reserved entries inside the
// range, so that no box is spent on them again. Splitting stops early when no split lowers
// the error (fewer distinct keys than colours); the entries not written keep their colours, and
// a histogram without pixels leaves the palette unchanged. Shows "Reducing the number of
// colors (<n>%)..." through `progress` (may be empty) before each split.
QuantizeResult Quantize(const ColourProgress& progress, uint32_t high_reserve, uint32_t low_reserve,
                        uint32_t colours, uint32_t start, ColourHistogram& histogram,
                        Palette& palette);

}  // namespace kinet::toolkit
