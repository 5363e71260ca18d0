// Bytes and milliseconds of the reads of one handle, kept apart by purpose.
#pragma once

#include <cstdint>

namespace kinet {

struct ReadCounter {
  uint64_t bytes = 0;
  uint64_t ms = 0;
  void Add(uint64_t n, uint64_t elapsed) {
    bytes += n;
    ms += elapsed;
  }
};

struct ReadStats {
  ReadCounter open;    // everything read while opening
  ReadCounter frames;  // frame records after the open
  ReadCounter idle;    // idle read-ahead
  uint64_t ring_peak = 0;

  uint64_t SpeedBytesPerSecond() const {
    uint64_t ms = open.ms + frames.ms + idle.ms;
    return ms ? (open.bytes + frames.bytes + idle.bytes) * 1000 / ms : 0;
  }
};

}  // namespace kinet
