// The private part of a playback handle. The public record (KinetHandle) keeps a pointer to
// this state in its private bytes.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "kinet/kinet.h"
#include "lib/core/change_rects.h"
#include "lib/core/frame_decoder.h"
#include "lib/core/frame_tables.h"
#include "lib/core/video_trees.h"
#include "lib/playback/frame_source.h"
#include "lib/playback/memory_counter.h"
#include "lib/playback/read_stats.h"
#include "lib/playback/sound_tracks.h"

namespace kinet {

// Fixed part of the decoded trees' memory: four lookup tables, cache state and the marker.
inline constexpr uint32_t kTreeFixedBytes = 29800;
inline constexpr uint32_t kNoFrame = 0xFFFFFFFFu;

// Where the current frame record's parts lie.
struct RecordParts {
  const uint8_t* palette = nullptr;  // the commands after the length byte
  uint32_t palette_size = 0;
  std::array<const uint8_t*, KINET_TRACKS> audio{};  // each record from its length field
  std::array<uint32_t, KINET_TRACKS> audio_size{};
  const uint8_t* video = nullptr;
  uint32_t video_size = 0;
};

// Where decoded frames go, with the change map kept across geometry changes.
struct Destination {
  FrameTarget target;
  bool fits = false;  // the frame lies inside the caller's buffer
  ChangeMap changes;
  ChangeRectIterator rects;
  uint64_t counted_bytes = 0;
};

struct FrameTimes {
  uint32_t first_do_frame = 0;
  bool started = false;
  bool interval_open = false;
  uint32_t interval_start = 0, interval_frame = 0;
  uint32_t slowest = 0, second = 0, slowest_frame = 0, second_frame = 0;
  uint64_t frames_done = 0, frames_skipped = 0;
  uint64_t decode_ms = 0, copy_ms = 0;
  bool copying = false;
  uint32_t copy_start = 0;
};

struct HandleState {
  KinetHandle* handle = nullptr;
  bool caller_memory = false;
  uint32_t stored_height = 0;
  uint32_t period = 0;  // P in 10-microsecond units
  uint32_t record_count = 0;
  bool ring_frame = false;
  bool y_doubled = false, y_interlaced = false;

  FrameTables tables;  // before `source`, which reads them
  VideoTrees trees;
  std::optional<FrameSource> source;
  RecordParts parts;
  uint32_t handed_on_palette_frame = kNoFrame;
  std::unique_ptr<Destination> destination;
  SoundTracks sound;
  Pacing pace;

  MemoryCounter memory;
  ReadStats reads;
  FrameTimes times;
  uint32_t open_ms = 0;
  uint64_t total_bytes = 0;
  uint64_t busiest_second = 0;
  uint32_t busiest_first = 0;
  uint32_t ring_size = 0;

  uint32_t blocks_per_row() const { return handle->Width / 4; }
  uint32_t block_rows() const { return stored_height / 4; }
};

// The state behind a public handle; null for a null or closed handle.
HandleState* StateOf(KinetHandle* handle);
void AttachState(KinetHandle* handle, HandleState* state);

// Reads the record of handle->FrameNum (wrapping at the end), its parts and its palette.
void ReadCurrentRecord(HandleState& state);

// Ends the timing of the frame last begun by KinetDoFrame, keeping the slowest two.
void CloseTimingInterval(HandleState& state);

}  // namespace kinet
