// The decisions of an open that depend only on numbers: whether a header is plausible, the
// busiest second of the frame size table, and the read-ahead size.
#pragma once

#include <cstdint>

#include "kinet/kinet_format.h"
#include "lib/core/frame_tables.h"

namespace kinet {

// Bounds that no real file comes near; past them the numbers are lies that would make the
// open allocate or decode without end. `remaining` is the file's length from the header on
// (~0 when unknown).
bool PlausibleHeader(const KinetHeader& header, uint64_t remaining);

// Frames per second for the statistics: 100000 / P, at least 1; 100000 when unpaced.
uint32_t FramesPerSecond(uint32_t period);

struct SizeScan {
  uint64_t total = 0;          // bytes of all frame records
  uint64_t busiest = 0;        // most bytes in `fps` consecutive records
  uint32_t busiest_first = 0;  // the first record of that window
};

// The busiest second: the whole file when it lasts at most a second; otherwise the heaviest
// window of `fps` records starting at records 1 to N - fps - 1.
SizeScan ScanSizes(const FrameTables& tables, uint32_t fps);

// Read-ahead bytes: `extra` when not negative, else the busiest second (12288 unpaced) limited
// to a quarter of the total and at least 12288; then rounded up to 4096, at least 8192.
uint64_t ReadAheadSize(int32_t extra, const SizeScan& scan, uint32_t period);

// A ring is used only when smaller than four fifths of the records; else they are preloaded.
inline bool UseReadAhead(uint64_t ring, uint64_t total) { return ring * 5 < total * 4; }

}  // namespace kinet
