// Three 32 x 24 8-bit BMP pictures walk1.bmp .. walk3.bmp in a test folder: a numbered series
// the real compressor can take in a few milliseconds.
#pragma once

#include "tests/frontend/recording_host.h"

namespace kinet::desk::testing {

void WriteSeries(const TempFolder& dir);

}  // namespace kinet::desk::testing
