// One sound track of a video file, frame by frame: how much sound each frame record carries,
// where it comes from (leading silence, the sound, looping, silence up to the track's length,
// a restart for the ring frame), and the records the audio encoder makes of it. Read by
// kinet::DecodeAudioStream (lib/core/audio_decoder.h) through the frame records.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "compressor/audio_encoder.h"
#include "compressor/video_job.h"

namespace kinet::encoder {

// Where a track's PCM comes from, already in the track's format.
class PcmSupply {
 public:
  virtual ~PcmSupply() = default;
  // Up to `wanted` bytes; fewer only at the end of the sound, 0 once it is exhausted.
  virtual size_t Read(uint8_t* out, size_t wanted) = 0;
  // Back to the beginning. False when the sound cannot be read again.
  [[nodiscard]] virtual bool Rewind() = 0;
};

struct TrackSettings {
  SampleFormat format;
  uint32_t rate = 0;             // sample frames per second
  int lossy_level = 0;           // 0 exact .. 9
  bool raw = false;              // records of plain PCM
  uint64_t leading_silence = 0;  // bytes of silence before the sound
  uint64_t track_length = 0;     // bytes the track carries in all, the silence included
  bool loop = false;             // the sound starts again until the track is full
  bool ring = false;             // the file has a ring frame: the track starts again with it
  uint32_t period = 0;           // frame period P in 10-microsecond units

  uint64_t bytes_per_second() const { return uint64_t{rate} * format.FrameBytes(); }
  // False when a player could not hold one frame's sound (SoundRingBytes): frames of hours
  // would make every coded record that long, built whole in memory, and no player plays the
  // track. Raw records carry a second each, whatever the period.
  bool FitsAPlayer() const;
};

// The first line of the message of a tool that refuses such a track.
inline constexpr std::string_view kFramesTooLongForSound =
    "The frames are too long for sound: a player cannot hold one frame's sound.";

// Bytes of `ms` milliseconds at `bytes_per_second`, rounded up to whole sample frames.
uint64_t TrackBytes(uint64_t ms, uint64_t bytes_per_second, uint32_t frame_bytes);

class SoundTrackEncoder : public SoundFeed {
 public:
  SoundTrackEncoder(PcmSupply& supply, const TrackSettings& settings);

  // The record of frame `index` (frames in order): about one second ahead of the picture, so
  // the first frame carries a second and a frame of sound. Empty when nothing is left; a
  // record that cannot be coded (a tree deeper than 30 bits) is empty too and sets failed().
  std::vector<uint8_t> Record(uint32_t index) override;
  // AudioSize and AudioRate of track 0.
  void FinishHeader(KinetHeader& header) override;

  // Fills up to `wanted` bytes (whole sample frames) of the next record's sound into
  // `samples` and returns how many bytes it holds.
  uint32_t Fill(uint32_t wanted);
  const std::vector<uint8_t>& samples() const { return samples_; }

  uint64_t decoded_total() const { return decoded_total_; }
  uint64_t record_total() const { return record_total_; }
  bool failed() const override { return failed_; }

 private:
  void ReadSound(uint32_t wanted, uint32_t& filled);

  PcmSupply& supply_;
  TrackSettings s_;
  AudioEncoder encoder_;
  std::vector<uint8_t> samples_;
  uint64_t lead_left_, track_left_;
  uint64_t decoded_total_ = 0, record_total_ = 0;
  uint32_t largest_ = 0;
  bool failed_ = false;
};

}  // namespace kinet::encoder
