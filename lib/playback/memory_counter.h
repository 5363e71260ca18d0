// Bytes a handle has in use, and the most it ever had, as KinetSummary reports them.
#pragma once

#include <algorithm>
#include <cstdint>

namespace kinet {

class MemoryCounter {
 public:
  void Add(uint64_t bytes) {
    current_ += bytes;
    peak_ = std::max(peak_, current_);
  }
  void Remove(uint64_t bytes) { current_ -= std::min(current_, bytes); }
  uint64_t current() const { return current_; }
  uint64_t peak() const { return peak_; }

 private:
  uint64_t current_ = 0, peak_ = 0;
};

}  // namespace kinet
