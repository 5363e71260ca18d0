#include "lib/playback/open_rules.h"

#include <algorithm>

#include "lib/core/format.h"

namespace kinet {

namespace {
constexpr uint64_t kMaxRecords = 1u << 26;
constexpr uint64_t kMaxTreeBytes = 1u << 26;
constexpr uint32_t kMaxSide = 65536;
constexpr uint64_t kMaxBlocks = 1u << 22;
}  // namespace

bool PlausibleHeader(const KinetHeader& h, uint64_t remaining) {
  const uint64_t records = FrameRecordCount(h);
  if (records > kMaxRecords || h.TreeSize > kMaxTreeBytes) return false;
  if (h.Width > kMaxSide || h.Height > kMaxSide) return false;
  if (uint64_t{h.Width / 4} * (h.Height / 4) > kMaxBlocks) return false;
  return KINET_HEADER_SIZE + 5 * records + h.TreeSize <= remaining;
}

uint32_t FramesPerSecond(uint32_t period) {
  return period ? std::max<uint32_t>(1, 100000 / period) : 100000;
}

SizeScan ScanSizes(const FrameTables& tables, uint32_t fps) {
  SizeScan scan;
  const uint32_t n = tables.count();
  for (uint32_t i = 0; i < n; ++i) scan.total += tables.size(i);
  if (n <= fps) {
    scan.busiest = scan.total;
    return scan;
  }
  uint64_t window = 0;
  for (uint32_t i = 1; i <= fps; ++i) window += tables.size(i);
  for (uint32_t first = 1; uint64_t{first} + fps + 1 <= n; ++first) {
    if (first > 1) window += uint64_t{tables.size(first + fps - 1)} - tables.size(first - 1);
    if (window > scan.busiest) {
      scan.busiest = window;
      scan.busiest_first = first;
    }
  }
  return scan;
}

uint64_t ReadAheadSize(int32_t extra, const SizeScan& scan, uint32_t period) {
  uint64_t size;
  if (extra >= 0) {
    size = static_cast<uint64_t>(extra);
  } else {
    size = period ? scan.busiest : 12288;
    size = std::max<uint64_t>(std::min(size, scan.total / 4), 12288);
  }
  size = (size + 4095) / 4096 * 4096;
  return std::max<uint64_t>(size, 8192);
}

}  // namespace kinet
