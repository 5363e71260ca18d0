// The frame size and frame type tables that follow the header, and where each record starts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "lib/core/format.h"

namespace kinet {

// The tables kept as they lie in the file, 5 bytes a record: a file may announce tens of
// millions of records, and a second copy split into vectors would more than double that.
class FrameTables {
 public:
  FrameTables() = default;
  // Takes the 5 x `records` bytes that follow the header (fewer bytes give no tables).
  FrameTables(std::vector<uint8_t> bytes, uint32_t records);

  uint32_t count() const { return count_; }
  // Byte length of record `i`.
  uint32_t size(uint32_t i) const { return LoadLe32(bytes_.data() + 4ull * i); }
  // KINET_FRAME_* bits of record `i`.
  uint8_t type(uint32_t i) const { return bytes_[4ull * count_ + i]; }

 private:
  std::vector<uint8_t> bytes_;
  uint32_t count_ = 0;
};

// File offsets of the records: the first record's offset plus the sizes before it, counted
// from an offset kept every kStride records (8 bytes per 256 records).
class RecordOffsets {
 public:
  static constexpr uint32_t kStride = 256;

  RecordOffsets(const FrameTables& tables, uint64_t first);

  // Where record `index` starts; `index` may be count(), the end of the last record.
  uint64_t at(uint32_t index) const;
  uint64_t first() const { return marks_.front(); }
  uint64_t end() const { return end_; }
  // Bytes the kept offsets take.
  uint64_t memory() const { return marks_.size() * sizeof(uint64_t); }

 private:
  const FrameTables& tables_;
  std::vector<uint64_t> marks_;  // offset of records 0, kStride, 2 x kStride, ...
  uint64_t end_ = 0;
};

}  // namespace kinet
