#include "lib/playback/sound_tracks.h"

#include <algorithm>
#include <new>

#include "lib/core/format.h"
#include "lib/core/sound_ring_size.h"
#include "lib/playback/handle_state.h"
#include "lib/playback/sound_output.h"

namespace kinet {

namespace {

constexpr uint32_t kMinRing = 8192;

SoundRing RingOf(SoundTrack& t) { return {t.ring.data(), t.capacity(), t.write}; }

std::unique_ptr<SoundTrack> MakeTrack(const KinetHandle& h, uint32_t t, uint32_t period) {
  const uint32_t rate_word = h.AudioRate[t];
  auto track = std::make_unique<SoundTrack>();
  track->number = t;
  track->format = SampleFormat::FromDescriptor(rate_word);
  track->compressed = rate_word & KINET_AUDIO_COMPRESSED;
  track->bytes_per_second = (rate_word & KINET_AUDIO_RATE_MASK) * track->format.FrameBytes();
  // A period of hours at the highest rate takes more than 64 bits before the division.
  track->bytes_per_frame = static_cast<uint64_t>(
      (static_cast<unsigned __int128>(track->bytes_per_second) << kFractionBits) * period / 100000);
  track->low_water = h.AudioSize[t] & ~3u;
  // A track that would need more than a player keeps has lying rates: it is left closed.
  const uint64_t capacity = SoundRingBytes(track->bytes_per_second, period);
  if (capacity > kMaxSoundRing) return nullptr;
  track->ring.assign(std::max<uint64_t>(capacity, kMinRing), 0);
  track->late = track->HalfSecond();
  return track;
}

// One track's share of the current frame: `record` is its audio record, `size` bytes.
void FeedTrack(SoundTrack& t, const uint8_t* record, uint32_t size, MemoryCounter& memory) {
  const uint32_t frame = t.format.FrameBytes();
  uint32_t amount = AnnouncedLength(record, size, t.compressed) / frame * frame;
  const uint32_t free = t.capacity() - t.held;
  if (amount > free) {
    amount = free / frame * frame;
    ++t.overflows;
  }
  if (t.stream->TakeUnderrun() && t.delivered > 0) {
    // The device ran dry: silence tops the ring up to the low-water mark, counting the sound
    // it still holds. Silence in front of sound the ring already holds would only delay that
    // sound and push later frames' sound out of the ring.
    const uint32_t queued = t.held + amount;
    if (queued < t.low_water) t.AddSilence(std::min(t.low_water, t.capacity()) - queued);
    ++t.underruns;
  }
  SoundRing ring = RingOf(t);
  const uint32_t written =
      t.compressed ? (size > kCompressedHeader
                          ? DecodeAudioStream(record + kCompressedHeader, size - kCompressedHeader,
                                              amount, amount, SoundWorkArea(memory), ring)
                          : 0)
                   : CopyRawSound(record + kAudioLengthField, size - kAudioLengthField, amount,
                                  t.format, ring);
  t.write = ring.write;
  t.held += written;
  t.delivered += written;
}

}  // namespace

void SoundTrack::Rewind() {
  read = write = held = 0;
  due = 0;
  late = HalfSecond();
  delivered = 0;
}

void SoundTrack::AddSilence(uint32_t bytes) {
  SoundRing r = RingOf(*this);
  const uint32_t n = PutSilence(std::min(bytes, capacity() - held), format, r);
  write = r.write;
  held += n;
  delivered += n;
}

uint32_t SoundTrack::Take(uint8_t* dest, uint32_t n) {
  const uint32_t frame = format.FrameBytes();
  n = std::min(n, held) / frame * frame;
  const uint32_t first = std::min(n, capacity() - read);
  std::copy_n(ring.data() + read, first, dest);
  std::copy_n(ring.data(), n - first, dest + first);
  read = (read + n) % capacity();
  held -= n;
  return n;
}

void OpenSoundTracks(HandleState& s, uint32_t flags) {
  KinetHandle* h = s.handle;
  for (uint32_t t = 0; t < KINET_TRACKS; ++t) {
    if (!(flags & KINET_OPEN_TRACK(t)) || !TrackPresent(h->AudioRate[t])) continue;
    InstallSoundDriver(platform::SoundDriverKind::kPolled);
    platform::SoundDriver* driver = InstalledSoundDriver();
    if (!driver) continue;
    std::unique_ptr<SoundTrack> track;
    try {
      track = MakeTrack(*h, t, s.period);
    } catch (const std::bad_alloc&) {
      continue;  // a ring the memory cannot hold drops the track, not the open
    }
    if (!track) continue;
    const platform::PcmFormat pcm{h->AudioRate[t] & KINET_AUDIO_RATE_MASK,
                                  track->format.stereo ? 2u : 1u,
                                  track->format.sixteen_bit ? 16u : 8u};
    track->stream = driver->Open(pcm, *track);
    if (!track->stream) continue;
    s.memory.Add(sizeof(SoundTrack) + track->ring.size());
    SoundWorkArea(s.memory);
    StreamOpened();
    h->OpenFlags |= KINET_OPEN_TRACK(t);
    if (!s.sound.master) s.sound.master = track.get();
    s.sound.tracks[t] = std::move(track);
  }
}

void CloseSoundTracks(HandleState& s) {
  for (auto& track : s.sound.tracks) {
    if (!track) continue;
    track->stream->Stop();
    track->stream.reset();
    s.memory.Remove(sizeof(SoundTrack) + track->ring.size());
    track.reset();
    StreamClosed();
  }
  s.sound.master = nullptr;
}

void FeedSound(HandleState& s) {
  SoundTracks& st = s.sound;
  SoundTrack* master = st.master;
  if (!master || st.sound_off) return;
  if (s.period) st.waiting_for_sound = true;
  master->due += master->bytes_per_frame;
  master->late += master->bytes_per_frame;
  for (uint32_t t = 0; t < KINET_TRACKS; ++t) {
    SoundTrack* track = st.tracks[t].get();
    if (!track) continue;
    track->no_data = !s.parts.audio[t];
    if (!track->no_data) FeedTrack(*track, s.parts.audio[t], s.parts.audio_size[t], s.memory);
  }
  // The video never waits for sound the file does not contain.
  const uint64_t delivered = master->delivered << kFractionBits;
  st.sound_short = delivered < master->due;
  if (st.sound_short) master->due = master->late = delivered;
}

bool FrameIsLate(HandleState& s) {
  SoundTracks& st = s.sound;
  if (!s.period || !st.master || st.sound_off) return false;
  if (!st.waiting_for_sound) return true;
  if (st.master->no_data) return false;
  if ((st.master->stream->Position() << kFractionBits) < st.master->late) return false;
  st.waiting_for_sound = false;
  return true;
}

void RewindSoundAtFrameZero(HandleState& s) {
  SoundTracks& st = s.sound;
  if (!st.master || st.master->delivered == 0) return;
  int open = 0;
  for (auto& track : st.tracks) open += track ? 1 : 0;
  if (open != OpenStreamCount()) return;
  for (auto& track : st.tracks) {
    if (!track) continue;
    track->stream->Reset();
    track->Rewind();
  }
}

}  // namespace kinet
