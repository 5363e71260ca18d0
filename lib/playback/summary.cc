// KinetSummary: what a playback cost.
#include <algorithm>

#include "lib/playback/handle_state.h"
#include "lib/playback/library_clock.h"

using namespace kinet;

namespace {
uint32_t Clamp32(uint64_t v) { return static_cast<uint32_t>(std::min<uint64_t>(v, UINT32_MAX)); }
}  // namespace

extern "C" void KinetSummary(KinetHandle* handle, KinetSummaryRecord* out) {
  HandleState* s = StateOf(handle);
  if (!s || !out) return;
  CloseTimingInterval(*s);
  const FrameTimes& t = s->times;
  const ReadStats& r = s->reads;
  KinetSummaryRecord sum{};
  sum.PlayTime = t.started ? LibraryClock().NowMs() - t.first_do_frame : 0;
  sum.FramePeriod = s->period;
  sum.OpenTime = s->open_ms;
  sum.FramesDone = Clamp32(t.frames_done);
  sum.FramesSkipped = Clamp32(t.frames_skipped);
  sum.SoundUnderruns = s->sound.master ? s->sound.master->underruns : 0;
  sum.CopyTime = Clamp32(t.copy_ms);
  sum.ReadTime = Clamp32(r.frames.ms);
  sum.DecodeTime = Clamp32(t.decode_ms);
  sum.IdleReadTime = Clamp32(r.idle.ms);
  sum.ReadSpeed = Clamp32(r.SpeedBytesPerSecond());
  sum.SlowestTime = t.slowest;
  sum.SecondSlowestTime = t.second;
  sum.SlowestFrame = t.slowest_frame;
  sum.SecondSlowestFrame = t.second_frame;
  sum.AverageFrameSize = s->record_count ? Clamp32(s->total_bytes / s->record_count) : 0;
  sum.BusiestSecond = Clamp32(s->busiest_second);
  sum.BusiestSecondFrame = s->record_count ? s->busiest_first + 1 : 0;
  sum.PeakMemory = Clamp32(s->memory.peak());
  sum.ReadAheadSize = s->ring_size;
  sum.ReadAheadPeak = Clamp32(r.ring_peak);
  *out = sum;
}
