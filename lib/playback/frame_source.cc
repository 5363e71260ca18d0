#include "lib/playback/frame_source.h"

#include <algorithm>
#include <cstring>

#include "lib/playback/library_clock.h"

namespace kinet {

FrameSource::FrameSource(platform::InputFile file, const FrameTables& tables, uint64_t first,
                         uint32_t rate, MemoryCounter& memory, ReadStats& stats)
    : file_(std::move(file)),
      tables_(tables),
      offsets_(tables, first),
      rate_(rate),
      memory_(memory),
      stats_(stats) {
  memory_.Add(offsets_.memory());
  file_pos_ = first;
}

size_t FrameSource::TimedRead(void* dest, size_t n, ReadCounter& counter) {
  platform::Clock& clock = LibraryClock();
  const uint32_t start = clock.NowMs();
  const size_t got = file_.Read(dest, n);
  if (rate_) {
    // A slow device: the read takes at least as long as the rate allows.
    const uint64_t due = uint64_t{n} * 1000 / rate_;
    uint32_t elapsed = clock.NowMs() - start;
    if (elapsed < due) clock.SleepMs(static_cast<uint32_t>(due - elapsed));
  }
  counter.Add(got, clock.NowMs() - start);
  return got;
}

void FrameSource::Preload(uint64_t available_bytes) {
  const uint64_t total = offsets_.end() - offsets_.first();
  preloaded_bytes_ = std::min(total, available_bytes);
  frame_.assign(preloaded_bytes_ + 8, 0);
  memory_.Add(total + 8);
  preloaded_bytes_ = TimedRead(frame_.data(), preloaded_bytes_, stats_.open);
  // Everything is in memory: the file is closed (a borrowed descriptor only forgotten).
  file_.Close();
  preloaded_ = true;
}

void FrameSource::UseReadAhead(uint32_t ring_size, uint32_t largest_record) {
  ring_.assign(ring_size, 0);
  memory_.Add(uint64_t{ring_size} + kBlock);
  frame_.assign(uint64_t{largest_record} + 8, 0);
  memory_.Add(uint64_t{largest_record} + 8);
}

size_t FrameSource::FillRing(uint32_t n, ReadCounter& counter) {
  // The block is read whole and then laid into the ring, wrapping at its end.
  uint8_t block[kBlock];
  n = std::min(n, kBlock);
  const size_t got = TimedRead(block, n, counter);
  const uint32_t at = (ring_start_ + held_) % ring_size();
  const uint32_t first = std::min<uint32_t>(static_cast<uint32_t>(got), ring_size() - at);
  std::memcpy(ring_.data() + at, block, first);
  std::memcpy(ring_.data(), block + first, got - first);
  held_ += static_cast<uint32_t>(got);
  file_pos_ += got;
  stats_.ring_peak = std::max<uint64_t>(stats_.ring_peak, held_);
  return got;
}

void FrameSource::TakeFromRing(uint8_t* dest, uint32_t n) {
  const uint32_t first = std::min(n, ring_size() - ring_start_);
  if (dest) {
    std::memcpy(dest, ring_.data() + ring_start_, first);
    std::memcpy(dest + first, ring_.data(), n - first);
  }
  ring_start_ = (ring_start_ + n) % ring_size();
  held_ -= n;
}

bool FrameSource::Position(uint64_t offset) {
  const uint64_t held_from = file_pos_ - held_;
  if (offset >= held_from && offset < file_pos_) {
    TakeFromRing(nullptr, static_cast<uint32_t>(offset - held_from));
    return true;
  }
  held_ = 0;
  ring_start_ = 0;
  file_pos_ = offset;
  if (!file_.Seek(offset)) return false;
  if (offset % kBlock) FillRing(static_cast<uint32_t>(kBlock - offset % kBlock), stats_.frames);
  return true;
}

const uint8_t* FrameSource::Fetch(uint32_t index) {
  const uint64_t offset = offsets_.at(index);
  const uint64_t size = tables_.size(index);
  if (preloaded_) {
    const uint64_t at = offset - offsets_.first();
    return at + size <= preloaded_bytes_ ? frame_.data() + at : nullptr;
  }
  ReadCounter& counter = opening_ ? stats_.open : stats_.frames;
  opening_ = false;
  if (offset != file_pos_ - held_ && !Position(offset)) return nullptr;

  uint8_t* dest = frame_.data();
  uint32_t missing = static_cast<uint32_t>(size);
  const uint32_t from_ring = std::min(held_, missing);
  TakeFromRing(dest, from_ring);
  dest += from_ring;
  missing -= from_ring;
  while (missing > kBlock) {
    const uint32_t n = std::min(kMaxDirectRead, missing / kBlock * kBlock);
    const size_t got = TimedRead(dest, n, counter);
    file_pos_ += got;
    if (got < n) return nullptr;
    dest += n;
    missing -= n;
  }
  if (missing > 0) {
    // The last partial block goes through the ring; the surplus stays for the next record.
    if (FillRing(kBlock, counter) < missing) return nullptr;
    TakeFromRing(dest, missing);
  }
  return frame_.data();
}

void FrameSource::ReadAhead(uint32_t max_blocks, bool opening) {
  if (preloaded_ || ring_.empty()) return;
  ReadCounter& counter = opening ? stats_.open : stats_.idle;
  for (uint32_t blocks = 0; max_blocks == 0 || blocks < max_blocks; ++blocks) {
    if (file_pos_ >= offsets_.end() || ring_size() - held_ < kBlock) break;
    if (FillRing(kBlock, counter) < kBlock) break;
  }
}

}  // namespace kinet
