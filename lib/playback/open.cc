// KinetOpen and KinetClose: reading the header, tables and trees, and choosing how frames are
// read.
#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

#include "lib/core/format.h"
#include "lib/core/frame_tables.h"
#include "lib/playback/handle_state.h"
#include "lib/playback/library_clock.h"
#include "lib/playback/open_input.h"
#include "lib/playback/open_rules.h"

namespace kinet {

namespace {

int32_t g_frame_rate = 0;
uint32_t g_simulated_rate = 0;

// Takes the file from the first argument as the open flags say.
bool OpenFile(const void* source, uint32_t flags, platform::InputFile& file) {
  if (!source) return false;
  if (flags & KINET_OPEN_DESCRIPTOR) {
    int32_t fd;
    if (flags & KINET_OPEN_CALLER_MEMORY)
      std::memcpy(&fd, source, sizeof fd);
    else
      fd = static_cast<int32_t>(reinterpret_cast<intptr_t>(source));
    if (fd < 0) return false;
    file.Borrow(fd);
    return file.Tell() >= 0;
  }
  // Caller memory starts with the name; it is copied before the memory is cleared.
  char name[KINET_HANDLE_SIZE + 1] = {};
  std::memcpy(name, source, (flags & KINET_OPEN_CALLER_MEMORY) ? KINET_HANDLE_SIZE : 0);
  const char* path = (flags & KINET_OPEN_CALLER_MEMORY) ? name : static_cast<const char*>(source);
  // The library's callers name files of the operating system.
  return file.Open(platform::SystemFileSystem(), path);
}

bool ReadExactly(platform::InputFile& file, void* dest, size_t n, ReadStats& reads) {
  platform::Clock& clock = LibraryClock();
  uint32_t start = clock.NowMs();
  size_t got = file.Read(dest, n);
  reads.open.Add(got, clock.NowMs() - start);
  return got == n;
}

// Steps 3 to 9 of an open: everything that can fail on a malformed or short file.
bool ReadFile(HandleState& s, platform::InputFile file, uint32_t flags, int32_t extra_buffer) {
  KinetHandle* h = s.handle;
  const int64_t start = file.Tell();
  const int64_t length = file.Size();
  const uint64_t remaining = length >= start && start >= 0 ? uint64_t(length - start) : ~0ull;

  uint8_t header_bytes[KINET_HEADER_SIZE];
  if (!ReadExactly(file, header_bytes, sizeof header_bytes, s.reads)) return false;
  KinetHeader header = ParseHeader(header_bytes);
  if (header.Signature != KINET_SIGNATURE || !PlausibleHeader(header, remaining)) return false;
  std::memcpy(h, &header, sizeof header);
  if (flags & KINET_OPEN_FRAME_RATE) h->FrameRate = g_frame_rate;
  s.period = FramePeriod(h->FrameRate);
  s.stored_height = h->Height;
  s.ring_frame = h->Flags & KINET_FLAG_RING_FRAME;
  s.record_count = static_cast<uint32_t>(FrameRecordCount(header));

  const uint32_t n = s.record_count;
  s.memory.Add(5ull * n + 4);
  std::vector<uint8_t> tables(5ull * n);
  if (!ReadExactly(file, tables.data(), tables.size(), s.reads)) return false;
  s.tables = FrameTables(std::move(tables), n);

  const uint64_t tree_bytes =
      uint64_t{kTreeFixedBytes} + h->MMapSize + h->MClrSize + h->FullSize + h->TypeSize;
  s.memory.Add(tree_bytes);
  const uint64_t scratch = std::max<uint64_t>((uint64_t{h->TreeSize} + 4099) & ~3ull, 8192);
  s.memory.Add(scratch);
  std::vector<uint8_t> tree_block(h->TreeSize);
  if (!ReadExactly(file, tree_block.data(), tree_block.size(), s.reads)) return false;
  if (!s.trees.Read(tree_block.data(), tree_block.size(), header)) return false;
  // The decoded trees may hold more than the header's sizes say (wider tables, larger nodes).
  s.memory.Add(std::max<uint64_t>(s.trees.TableBytes(), tree_bytes) - tree_bytes);
  s.memory.Remove(scratch);

  const uint64_t first = uint64_t(start) + KINET_HEADER_SIZE + 5ull * n + h->TreeSize;
  uint32_t largest = 0;
  for (uint32_t i = 0; i < n; ++i) largest = std::max(largest, s.tables.size(i));
  const uint64_t records_available = remaining - std::min(remaining, first - start);
  // A record larger than everything the file holds cannot be read: the tables lie.
  if (largest > records_available) return false;

  const SizeScan scan = ScanSizes(s.tables, FramesPerSecond(s.period));
  s.total_bytes = scan.total;
  s.busiest_second = scan.busiest;
  s.busiest_first = scan.busiest_first;
  const uint32_t rate = (flags & KINET_OPEN_SIMULATE) ? g_simulated_rate : 0;
  s.source.emplace(std::move(file), s.tables, first, rate, s.memory, s.reads);
  const uint64_t ring = ReadAheadSize(extra_buffer, scan, s.period);
  if ((flags & KINET_OPEN_PRELOAD) || !UseReadAhead(ring, scan.total)) {
    s.source->Preload(records_available);
  } else {
    s.ring_size = static_cast<uint32_t>(ring);
    s.source->UseReadAhead(s.ring_size, largest);
  }
  return true;
}

// Step 13: the Y mode from the file's flags, overridden by the open flags.
void ApplyYMode(HandleState& s, uint32_t flags) {
  KinetHandle* h = s.handle;
  const uint32_t forced = flags & KINET_OPEN_Y_NORMAL;
  if (forced) h->Flags = (h->Flags & ~KINET_FLAG_YMODE_MASK) | (forced >> 19);
  const uint32_t mode = h->Flags & KINET_FLAG_YMODE_MASK;
  s.y_interlaced = mode == KINET_FLAG_Y_INTERLACED;
  s.y_doubled = mode == KINET_FLAG_Y_DOUBLED;
  if (s.y_interlaced) h->OpenFlags |= KINET_OPEN_Y_INTERLACED;
  if (s.y_doubled) h->OpenFlags |= KINET_OPEN_Y_DOUBLED;
  if (s.y_interlaced || s.y_doubled) h->Height *= 2;
}

// `source` is the caller's memory for the handle when the flags say so.
KinetHandle* OpenOn(platform::InputFile file, const void* source, uint32_t flags,
                    int32_t extra_buffer, uint32_t start) {
  platform::Clock& clock = LibraryClock();
  const bool caller_memory = flags & KINET_OPEN_CALLER_MEMORY;
  KinetHandle* h = caller_memory ? static_cast<KinetHandle*>(const_cast<void*>(source))
                                 : new (std::nothrow) KinetHandle;
  if (!h) return nullptr;
  std::memset(h, 0, sizeof *h);
  auto state = std::make_unique<HandleState>();
  state->handle = h;
  state->caller_memory = caller_memory;
  state->memory.Add(KINET_HANDLE_SIZE);
  if (!ReadFile(*state, std::move(file), flags, extra_buffer)) {
    std::memset(h, 0, sizeof *h);
    if (!caller_memory) delete h;
    return nullptr;
  }
  h->OpenFlags = flags & ~0x3FE000u;
  AttachState(h, state.get());
  ReadCurrentRecord(*state);
  OpenSoundTracks(*state, flags);
  if (flags & KINET_OPEN_FILL_READ_AHEAD) state->source->ReadAhead(0, true);
  ApplyYMode(*state, flags);
  state->open_ms = clock.NowMs() - start;
  state.release();
  return h;
}

KinetHandle* Open(const void* source, uint32_t flags, int32_t extra_buffer) {
  const uint32_t start = LibraryClock().NowMs();
  platform::InputFile file;
  if (!OpenFile(source, flags, file)) return nullptr;
  return OpenOn(std::move(file), source, flags, extra_buffer, start);
}

}  // namespace

KinetHandle* OpenInputFile(platform::InputFile file, uint32_t flags, int32_t extra_buffer) {
  flags &= ~uint32_t{KINET_OPEN_DESCRIPTOR | KINET_OPEN_CALLER_MEMORY};
  try {
    return OpenOn(std::move(file), nullptr, flags, extra_buffer, LibraryClock().NowMs());
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

HandleState* StateOf(KinetHandle* handle) {
  if (!handle) return nullptr;
  HandleState* state;
  std::memcpy(&state, handle->Private, sizeof state);
  return state;
}

void AttachState(KinetHandle* handle, HandleState* state) {
  std::memcpy(handle->Private, &state, sizeof state);
}

}  // namespace kinet

using namespace kinet;

extern "C" KinetHandle* KinetOpen(const void* source, uint32_t flags, int32_t extraBuffer) {
  try {
    return Open(source, flags, extraBuffer);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

extern "C" uint32_t KinetClose(KinetHandle* handle) {
  HandleState* state = StateOf(handle);
  if (!state) return 0;
  const bool caller_memory = state->caller_memory;
  CloseSoundTracks(*state);
  delete state;
  std::memset(handle, 0, sizeof *handle);
  if (!caller_memory) delete handle;
  return 1;
}

extern "C" int32_t KinetFrameRate(int32_t framesPerSecond) {
  g_frame_rate = framesPerSecond > 0 ? -(100000 / framesPerSecond) : framesPerSecond;
  return g_frame_rate;
}

extern "C" uint32_t KinetSimulate(uint32_t bytesPerSecond) {
  g_simulated_rate = bytesPerSecond;
  return g_simulated_rate;
}
