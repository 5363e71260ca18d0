#include "lib/core/frame_tables.h"

namespace kinet {

FrameTables::FrameTables(std::vector<uint8_t> bytes, uint32_t records) {
  if (bytes.size() < 5ull * records) return;
  bytes_ = std::move(bytes);
  count_ = records;
}

RecordOffsets::RecordOffsets(const FrameTables& tables, uint64_t first) : tables_(tables) {
  marks_.reserve(tables.count() / kStride + 1);
  uint64_t offset = first;
  for (uint32_t i = 0; i < tables.count(); ++i) {
    if (i % kStride == 0) marks_.push_back(offset);
    offset += tables.size(i);
  }
  if (marks_.empty()) marks_.push_back(first);
  end_ = offset;
}

uint64_t RecordOffsets::at(uint32_t index) const {
  if (index >= tables_.count()) return end_;
  uint64_t offset = marks_[index / kStride];
  for (uint32_t i = index / kStride * kStride; i < index; ++i) offset += tables_.size(i);
  return offset;
}

}  // namespace kinet
