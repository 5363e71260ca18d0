// KinetToBuffer and KinetToBufferRect: where frames are decoded, and what changed.
#include <cstring>
#include <new>

#include "lib/playback/handle_state.h"
#include "lib/playback/library_clock.h"

namespace kinet {

namespace {

constexpr uint64_t kDestinationRecordBytes = 64;

// Places the frame in the caller's buffer; `fits` is false when any decoded line or column
// would fall outside it.
void SetGeometry(HandleState& s, Destination& d, int32_t left, int32_t top, int32_t pitch,
                 int32_t dest_height, uint8_t* buffer, bool reversed) {
  const uint32_t bpr = s.blocks_per_row(), rows = s.block_rows();
  const bool double_lines = s.y_interlaced || s.y_doubled;
  const int64_t stored_lines = int64_t{rows} * 4;
  // Interlaced frames leave the line after their last row untouched.
  const int64_t lines = !double_lines ? stored_lines : s.y_doubled ? 2 * stored_lines
                                                                    : 2 * stored_lines - 1;
  d.fits = left >= 0 && top >= 0 && pitch > 0 && dest_height >= 0 &&
           int64_t{left} + 4 * int64_t{bpr} <= pitch && top + lines <= dest_height;
  d.target.blocks_per_row = bpr;
  d.target.block_rows = rows;
  if (!d.fits) return;
  const ptrdiff_t line_step = reversed ? -ptrdiff_t{pitch} : ptrdiff_t{pitch};
  const int64_t first_line = reversed ? int64_t{dest_height} - 1 - top : top;
  d.target.origin = buffer + first_line * pitch + left;
  d.target.row_step = double_lines ? 2 * line_step : line_step;
  d.target.double_offset = s.y_doubled ? line_step : 0;
}

}  // namespace

}  // namespace kinet

using namespace kinet;

extern "C" void KinetToBuffer(KinetHandle* handle, int32_t left, int32_t top, int32_t pitch,
                              int32_t destHeight, uint8_t* buffer, int32_t reversed) {
  HandleState* s = StateOf(handle);
  if (!s) return;
  if (!buffer) {
    if (s->destination) s->memory.Remove(s->destination->counted_bytes);
    s->destination.reset();
    return;
  }
  if (!s->destination) {
    auto d = std::unique_ptr<Destination>(new (std::nothrow) Destination);
    if (!d) return;
    const uint32_t blocks = s->blocks_per_row() * s->block_rows();
    try {
      d->changes.Resize(blocks);
    } catch (const std::bad_alloc&) {
      return;
    }
    d->counted_bytes = kDestinationRecordBytes + d->changes.groups().size();
    s->memory.Add(d->counted_bytes);
    s->destination = std::move(d);
  }
  handle->LeftOffset = static_cast<uint32_t>(left);
  handle->TopOffset = static_cast<uint32_t>(top);
  SetGeometry(*s, *s->destination, left, top, pitch, destHeight, buffer, reversed != 0);
}

extern "C" uint32_t KinetToBufferRect(KinetHandle* handle, uint32_t mode) {
  HandleState* s = StateOf(handle);
  if (!s || !s->destination || mode > 3) return 0;
  FrameTimes& t = s->times;
  if (!t.copying) {
    t.copying = true;
    t.copy_start = LibraryClock().NowMs();
  }
  Destination& d = *s->destination;
  ChangeRect rect;
  if (!d.rects.Next(d.changes, d.target.blocks_per_row, d.target.block_rows,
                    static_cast<RectMode>(mode), handle->NewPalette != 0, rect))
    return 0;
  const uint32_t scale = (s->y_interlaced || s->y_doubled) ? 2 : 1;
  const bool empty = rect.width == 0 && rect.height == 0;
  handle->LastRectX = empty ? 0 : rect.left + handle->LeftOffset;
  handle->LastRectY = empty ? 0 : rect.top * scale + handle->TopOffset;
  handle->LastRectW = rect.width;
  handle->LastRectH = rect.height * scale;
  return 1;
}
