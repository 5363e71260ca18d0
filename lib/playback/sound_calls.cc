// The track calls of the C interface: which tracks a file has, a frame's sound on demand,
// volume and pan, and switching the sound off and on.
#include <algorithm>
#include <bit>
#include <cstring>

#include "lib/core/format.h"
#include "lib/playback/handle_state.h"
#include "lib/playback/sound_output.h"

using namespace kinet;

namespace {

constexpr uint32_t kVolumePanLimit = 0x10000;

}  // namespace

extern "C" uint32_t KinetSoundInTrack(KinetHandle* handle, uint32_t trackMask) {
  if (!StateOf(handle)) return 0;
  for (uint32_t t = 0; t < KINET_TRACKS; ++t)
    if ((trackMask & KINET_OPEN_TRACK(t)) && TrackPresent(handle->AudioRate[t])) return 1;
  return 0;
}

extern "C" uint32_t KinetGetTrackData(KinetHandle* handle, void* dest, uint32_t trackMask) {
  HandleState* s = StateOf(handle);
  const uint32_t tracks = (trackMask & KINET_OPEN_TRACK_MASK) >> 13;
  if (!s || handle->ReadError || !dest || !tracks) return 0;
  const uint32_t t = static_cast<uint32_t>(std::countr_zero(tracks));
  const uint8_t* record = s->parts.audio[t];
  const uint32_t size = s->parts.audio_size[t];
  if (!record) return 0;
  uint8_t* out = static_cast<uint8_t*>(dest);
  const bool compressed = handle->AudioRate[t] & KINET_AUDIO_COMPRESSED;
  // No record of the track holds more sound than the header's AudioSize, so a record that
  // claims more is cut there rather than written past the caller's buffer.
  if (!compressed) {
    const uint32_t n = std::min(AnnouncedLength(record, size, false), handle->AudioSize[t]);
    std::memcpy(out, record + kAudioLengthField, n);
    return n;
  }
  const uint32_t length = AnnouncedLength(record, size, true);
  if (length == 0 || length == 0xFFFFFFFFu || size <= kCompressedHeader) return length;
  const uint32_t limit = std::min(length, handle->AudioSize[t]);
  AudioTrees local;
  AudioTrees* trees = ExistingSoundWorkArea();
  SoundRing ring{out, limit, 0};
  return DecodeAudioStream(record + kCompressedHeader, size - kCompressedHeader, length, limit,
                           trees ? *trees : local, ring);
}

extern "C" uint32_t KinetVolumePan(KinetHandle* handle, uint32_t trackMask, uint32_t volume,
                                   uint32_t pan) {
  HandleState* s = StateOf(handle);
  if (!s) return 0;
  volume = std::min(volume, kVolumePanLimit);
  pan = std::min(pan, kVolumePanLimit);
  uint32_t set = 0;
  for (uint32_t t = 0; t < KINET_TRACKS; ++t) {
    SoundTrack* track = s->sound.tracks[t].get();
    if (!track || !(trackMask & KINET_OPEN_TRACK(t))) continue;
    track->stream->SetVolumePan(volume, pan);
    set = 1;
  }
  return set;
}

extern "C" uint32_t KinetSoundOnOff(KinetHandle* handle, uint32_t on) {
  HandleState* s = StateOf(handle);
  if (!s) return 0;
  SoundTracks& st = s->sound;
  if (!on && !st.sound_off) {
    st.sound_off = true;
    s->pace.due_set = false;  // the clock paces from the next wait on
    for (auto& track : st.tracks) {
      if (!track) continue;
      track->stream->Stop();
      track->delivered -= track->held;
      track->read = track->write = track->held = 0;
    }
  } else if (on && st.sound_off) {
    st.sound_off = false;
    for (auto& track : st.tracks) {
      if (!track) continue;
      if (!track->stream->Restart()) return 0;
      track->due = track->stream->Position() << kFractionBits;
      track->late = track->due + track->HalfSecond();
      // Frame 0 brings a full second of sound itself; later frames only top the ring up.
      if (handle->FrameNum != 0 && track->held < track->low_water)
        track->AddSilence(track->low_water - track->held);
    }
  }
  ServiceSound();
  return 1;
}
