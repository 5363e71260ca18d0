// KinetWait: whether the current frame is due, against the master track's sound or, without
// one, against the clock.
#include "lib/playback/handle_state.h"
#include "lib/playback/library_clock.h"
#include "lib/playback/sound_output.h"

namespace kinet {

namespace {

// Clock pacing in 10-microsecond units. A stall does not make the following frames race to
// catch up: a due time left more than a period behind starts again from now.
uint32_t WaitForClock(HandleState& s) {
  Pacing& p = s.pace;
  if (p.released) return 0;
  const uint64_t now = uint64_t{LibraryClock().NowMs()} * 100;
  if (!p.due_set || now < p.due) {
    if (!p.due_set) {
      p.due_set = true;
      p.due = now + s.period;
    }
    s.source->ReadAhead(1, false);
    return 1;
  }
  p.due += s.period;
  if (now > p.due + s.period) p.due = now + s.period;
  if (s.period) p.released = true;
  return 0;
}

}  // namespace

}  // namespace kinet

using namespace kinet;

extern "C" uint32_t KinetWait(KinetHandle* handle) {
  HandleState* s = StateOf(handle);
  if (!s || handle->ReadError) return 0;
  ServiceSound();
  SoundTracks& st = s->sound;
  // With the sound off, or all of the file's sound played, the clock paces, so that the
  // picture keeps its rate instead of running as fast as it is decoded.
  if (!st.master || st.sound_off) return WaitForClock(*s);
  if (!st.waiting_for_sound) return 0;
  if ((st.master->stream->Position() << kFractionBits) >= st.master->due) {
    if (st.sound_short) return WaitForClock(*s);
    st.waiting_for_sound = false;
    s->pace.due_set = false;  // should the clock take over, it starts from then
    return 0;
  }
  s->source->ReadAhead(1, false);
  return 1;
}
