// Video files with sound for playback tests: synthetic sound split into per-frame records the
// way the compressor shares it out (about a second ahead of the picture), and the writer that
// puts them into a file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "compressor/animation_writer.h"
#include "lib/core/audio_decoder.h"

namespace kinet::testing {

struct TrackSpec {
  uint32_t track = 0;  // 0..6
  uint32_t rate = 11025;
  SampleFormat format;
  bool raw = false;
  int lossy_level = 0;
  std::vector<std::vector<uint8_t>> per_frame;  // PCM per frame record; empty: no record
};

// A sound of `bytes` (whole sample frames) that never contains the silence byte 0x80 in
// 8-bit form, so that silence the device adds can be told from it.
std::vector<uint8_t> ToneBytes(uint32_t bytes, uint32_t seed = 1);

// Shares `pcm` out over `records` frame records: frame i asks for
// ((i + 1) x P x B / 100000 + B - C + 3) rounded down to a multiple of 4, C being the bytes
// shared out so far. Frames after the end of the sound get nothing.
std::vector<std::vector<uint8_t>> ShareOut(const std::vector<uint8_t>& pcm,
                                           uint32_t bytes_per_second, uint32_t period,
                                           uint32_t records);

// Writes the animation with its tracks (AudioRate and AudioSize set from them) and returns its
// path. The test fails when writing fails.
std::string WriteSoundFile(const std::string& name, const encoder::AnimationSettings& settings,
                           const std::vector<encoder::AnimationFrame>& frames,
                           const std::vector<TrackSpec>& tracks);

// The sound of track `track` (0..6) in every frame record, the ring frame included, one after
// the other as KinetGetTrackData gives it; per_frame, when given, receives each record's size.
std::vector<uint8_t> TrackSound(const std::string& path, uint32_t track,
                                std::vector<uint32_t>* per_frame = nullptr);

}  // namespace kinet::testing
