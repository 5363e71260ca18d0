// Shared pieces of the sound source tests: WAV files made to order, sounds with known
// samples, reading a whole source, and a callback that records its messages.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "toolkit/sound/sound_source.h"

namespace kinet::toolkit::testing {

struct WavContents {
  SoundFormat format{};
  std::vector<uint8_t> pcm{};
  uint16_t tag = 1;
  uint32_t format_extra = 0;              // bytes of the "fmt " chunk beyond its 16
  bool chunk_before_format = false;       // an odd-length "LIST" chunk in front of "fmt "
  bool chunk_before_data = false;         // a "fact" chunk between "fmt " and "data"
  std::optional<uint32_t> data_length{};  // what the "data" header says; the pcm size if unset
};
std::vector<uint8_t> WavBytes(const WavContents& wav);
// Writes the file at `path` and returns the path.
std::string WriteWav(const std::string& path, const WavContents& wav);

// Little-endian 16-bit samples and back.
std::vector<uint8_t> Pcm16(const std::vector<int16_t>& samples);
std::vector<int16_t> Samples16(const std::vector<uint8_t>& bytes);
// Frames of 16-bit stereo whose left and right count up from `left` and `right` by `step`.
std::vector<uint8_t> Ramp16Stereo(uint32_t frames, int16_t left, int16_t right, int16_t step);

// Everything the source gives, read in blocks of `block` bytes (the test fails if a read
// gives no whole frames or the end does not come).
std::vector<uint8_t> ReadAll(SoundSource& source, size_t block = 1000);

struct MessageLog {
  std::vector<std::pair<SoundMessage, std::string>> messages;
  SoundCallback Callback();
  std::vector<std::string> Errors() const;
};

}  // namespace kinet::toolkit::testing
