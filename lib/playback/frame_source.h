// Delivers frame records from a video file: all preloaded into memory, or read on demand
// through a read-ahead ring that also fills while the player waits.
#pragma once

#include <cstdint>
#include <vector>

#include "lib/core/frame_tables.h"
#include "lib/playback/memory_counter.h"
#include "lib/playback/read_stats.h"
#include "platform/files/input_file.h"

namespace kinet {

class FrameSource {
 public:
  static constexpr uint32_t kBlock = 4096;
  static constexpr uint32_t kMaxDirectRead = 16384;

  // `tables` (which must outlive the source) give the records' sizes; the first record starts
  // at the absolute file offset `first`, where `file` is positioned. `rate` is a simulated
  // read rate in bytes per second (0 for none). The kept offsets count in `memory`.
  FrameSource(platform::InputFile file, const FrameTables& tables, uint64_t first, uint32_t rate,
              MemoryCounter& memory, ReadStats& stats);

  // Reads every record into memory; closes the file when it was opened by name. Reads what
  // the file holds when it is shorter than its tables say.
  void Preload(uint64_t available_bytes);
  // Sets up the read-ahead ring of `ring_size` bytes and a frame buffer for the largest record.
  void UseReadAhead(uint32_t ring_size, uint32_t largest_record);

  // The bytes of record `index`, reading it when needed (positioning when it is not the next
  // one in the file). Null when the read came back short: the caller's read-error state.
  const uint8_t* Fetch(uint32_t index);

  // Reads 4096-byte blocks into the ring while records remain and a block fits, at most
  // `max_blocks` (0 = no limit); counted as idle reads, or as open reads while opening.
  void ReadAhead(uint32_t max_blocks, bool opening);

  bool preloaded() const { return preloaded_; }
  uint32_t ring_size() const { return static_cast<uint32_t>(ring_.size()); }

 private:
  size_t TimedRead(void* dest, size_t n, ReadCounter& counter);
  bool Position(uint64_t offset);
  size_t FillRing(uint32_t n, ReadCounter& counter);
  void TakeFromRing(uint8_t* dest, uint32_t n);

  platform::InputFile file_;
  const FrameTables& tables_;
  RecordOffsets offsets_;
  uint32_t rate_;
  MemoryCounter& memory_;
  ReadStats& stats_;
  bool preloaded_ = false;
  bool opening_ = true;  // reads count as the open's until the first Fetch returns

  std::vector<uint8_t> frame_;  // the current record, or all records when preloaded
  uint64_t preloaded_bytes_ = 0;

  std::vector<uint8_t> ring_;
  uint32_t ring_start_ = 0;  // where the held bytes begin
  uint32_t held_ = 0;
  uint64_t file_pos_ = 0;    // file offset just past the held bytes
};

}  // namespace kinet
