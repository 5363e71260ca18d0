// The sound tracks of one handle: each opened track's ring, its feeding from the frames'
// audio records, and the positions that pace the video against the master track.
//
// Positions are kept in 1/1024 bytes (10 fractional bits) in 64 bits, so that a frame's share
// of sound keeps its fraction and no position overflows in any playing time.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "kinet/kinet_format.h"
#include "lib/core/audio_decoder.h"
#include "platform/audio/sound_driver.h"

namespace kinet {

struct HandleState;

inline constexpr int kFractionBits = 10;

struct SoundTrack final : platform::SoundSource {
  uint32_t number = 0;  // 0..6
  SampleFormat format;
  bool compressed = false;
  uint32_t bytes_per_second = 0;
  uint64_t bytes_per_frame = 0;  // fixed point
  uint32_t low_water = 0;        // the header's AudioSize, a multiple of 4

  std::vector<uint8_t> ring;  // its size is the capacity, a multiple of 4096
  uint32_t read = 0, write = 0, held = 0;

  uint64_t due = 0, late = 0;  // fixed point: where the sound stands when the frame is due / late
  uint64_t delivered = 0;      // bytes put into the ring since the start or the last reset
  uint32_t overflows = 0, underruns = 0;
  bool no_data = false;  // the current frame carried no sound for this track

  std::unique_ptr<platform::SoundStream> stream;

  uint32_t capacity() const { return static_cast<uint32_t>(ring.size()); }
  uint64_t HalfSecond() const { return uint64_t{bytes_per_second} << (kFractionBits - 1); }
  // Empties the ring and sets the positions back to the start of the sound.
  void Rewind();
  // Puts `bytes` of silence into the ring, limited to its free space.
  void AddSilence(uint32_t bytes);

  uint32_t Held() const override { return held; }
  uint32_t Take(uint8_t* dest, uint32_t n) override;
};

struct SoundTracks {
  std::array<std::unique_ptr<SoundTrack>, KINET_TRACKS> tracks;
  SoundTrack* master = nullptr;  // the first track opened
  bool waiting_for_sound = false;
  bool sound_off = false;
  // The file's sound fell behind the picture: the master's positions were pulled back to the
  // sound delivered, and once that has played the clock paces the frames.
  bool sound_short = false;
};

// Clock pacing without a master track (and while the sound is off).
struct Pacing {
  bool released = false;  // this frame was released; cleared when a frame record is read
  bool due_set = false;
  uint64_t due = 0;  // 10-microsecond units
};

// Opens every track named in `flags` that the file has and a device can play; sets their bits
// in OpenFlags. Tracks that fail are left out.
void OpenSoundTracks(HandleState& s, uint32_t flags);
// Stops and releases the handle's tracks.
void CloseSoundTracks(HandleState& s);
// Puts the current frame's sound into the rings and moves the master's positions on a frame.
void FeedSound(HandleState& s);
// Whether the current frame is late against the master track.
bool FrameIsLate(HandleState& s);
// Positioning at frame 0: restarts the master's sound from its beginning, when this handle's
// tracks are all the program plays and they have been fed.
void RewindSoundAtFrameZero(HandleState& s);

}  // namespace kinet
