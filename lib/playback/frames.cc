// Stepping through frames: reading a frame record's parts and palette, KinetNextFrame,
// KinetGoto and KinetDoFrame.
#include <algorithm>
#include <cstring>

#include "lib/core/format.h"
#include "lib/core/palette_record.h"
#include "lib/playback/handle_state.h"
#include "lib/playback/library_clock.h"
#include "lib/playback/sound_output.h"

namespace kinet {

namespace {

// Lays out a record: palette record, audio records of the tracks in the type byte, then the
// video data. Parts that would pass the record's end are cut at it.
RecordParts SplitRecord(const uint8_t* data, uint32_t size, uint8_t type) {
  RecordParts parts;
  uint32_t at = 0;
  if ((type & KINET_FRAME_PALETTE) && size > 0) {
    const uint32_t length = std::min<uint32_t>(data[0] * 4u, size);
    parts.palette = data + 1;
    parts.palette_size = length > 0 ? length - 1 : 0;
    at = std::max<uint32_t>(length, 1);
  }
  for (int t = 0; t < KINET_TRACKS; ++t) {
    if (!(type & KINET_FRAME_AUDIO(t))) continue;
    if (size - at < 4) {
      at = size;
      break;
    }
    // A length below 4 cannot count its own field; it is read as 4.
    const uint32_t length = std::clamp<uint32_t>(LoadLe32(data + at), 4, size - at);
    parts.audio[t] = data + at;
    parts.audio_size[t] = length;
    at += length;
  }
  parts.video = data + at;
  parts.video_size = size - at;
  return parts;
}

void ClearPalette(KinetHandle* h) {
  std::memset(h->Palette, 0, sizeof h->Palette);
  h->Unused[0] = 0;
}

}  // namespace

void ReadCurrentRecord(HandleState& s) {
  KinetHandle* h = s.handle;
  if (h->FrameNum >= h->Frames && !(s.ring_frame && h->FrameNum == h->Frames))
    h->FrameNum = s.ring_frame ? 1 : 0;
  s.parts = {};
  s.pace.released = false;
  h->NewPalette = 0;
  if (h->FrameNum >= s.record_count) return;  // a file without frames
  if (h->FrameNum == 0) {
    ClearPalette(h);
    RewindSoundAtFrameZero(s);
  }
  const uint8_t* data = s.source->Fetch(h->FrameNum);
  if (!data) {
    h->ReadError = 1;
    return;
  }
  h->FrameSize = s.tables.size(h->FrameNum);
  s.parts = SplitRecord(data, h->FrameSize, s.tables.type(h->FrameNum));
  h->PreVideoSize = h->FrameSize - s.parts.video_size;
  if (s.parts.palette) {
    DecodePaletteRecord(s.parts.palette, s.parts.palette_size, h->Palette);
    h->NewPalette = h->FrameNum != s.handed_on_palette_frame;
  }
}

// The time from one KinetDoFrame to the next is a frame's time; the slowest two are kept.
static void CloseFrameInterval(FrameTimes& t, uint32_t now) {
  if (!t.interval_open) return;
  t.interval_open = false;
  const uint32_t elapsed = now - t.interval_start;
  const uint32_t frame = t.interval_frame + 1;
  if (elapsed > t.slowest) {
    if (frame != t.slowest_frame) {
      t.second = t.slowest;
      t.second_frame = t.slowest_frame;
      t.slowest_frame = frame;
    }
    t.slowest = elapsed;
  } else if (elapsed > t.second && frame != t.slowest_frame) {
    t.second = elapsed;
    t.second_frame = frame;
  }
}

void CloseTimingInterval(HandleState& s) { CloseFrameInterval(s.times, LibraryClock().NowMs()); }

static void EndCopying(HandleState& s, uint32_t now) {
  if (!s.times.copying) return;
  s.times.copying = false;
  s.times.copy_ms += now - s.times.copy_start;
}

}  // namespace kinet

using namespace kinet;

extern "C" void KinetNextFrame(KinetHandle* handle) {
  HandleState* s = StateOf(handle);
  if (!s) return;
  EndCopying(*s, LibraryClock().NowMs());
  ++handle->FrameNum;
  if (handle->ReadError) return;
  ReadCurrentRecord(*s);
}

extern "C" void KinetGoto(KinetHandle* handle, uint32_t frame) {
  HandleState* s = StateOf(handle);
  if (!s || handle->ReadError) return;
  const uint32_t index = std::max<uint32_t>(frame, 1) - 1;
  if (index == handle->FrameNum) return;
  EndCopying(*s, LibraryClock().NowMs());
  handle->FrameNum = index;
  ReadCurrentRecord(*s);
}

extern "C" uint32_t KinetDoFrame(KinetHandle* handle) {
  HandleState* s = StateOf(handle);
  if (!s || handle->ReadError) return 0;
  platform::Clock& clock = LibraryClock();
  const uint32_t start = clock.NowMs();
  FrameTimes& t = s->times;
  EndCopying(*s, start);
  CloseFrameInterval(t, start);
  if (!t.started) {
    t.started = true;
    t.first_do_frame = start;
  }
  t.interval_open = true;
  t.interval_start = start;
  t.interval_frame = handle->FrameNum;
  ++t.frames_done;
  if (handle->NewPalette) s->handed_on_palette_frame = handle->FrameNum;

  FeedSound(*s);
  const bool late = FrameIsLate(*s);
  Destination* d = s->destination.get();
  if (late && !(handle->OpenFlags & KINET_OPEN_NO_SKIP)) {
    ++t.frames_skipped;
  } else if (d && d->fits && s->parts.video) {
    DecodeFrameVideo(s->trees, s->parts.video, s->parts.video_size, d->target, d->changes);
    d->rects.Restart();
  }
  t.decode_ms += clock.NowMs() - start;
  ServiceSound();
  return late ? 1 : 0;
}
