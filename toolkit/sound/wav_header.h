// The header of a WAV file: "RIFF", a length, "WAVE", chunks up to the "fmt " chunk of a PCM
// format, then chunks up to the "data" chunk that holds the sound.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/files/input_file.h"
#include "toolkit/sound/sound_format.h"

namespace kinet::toolkit {

struct WavHeader {
  SoundFormat format;        // as the "fmt " chunk says; not checked for usability
  uint32_t byte_rate = 0;    // bytes per second as the "fmt " chunk says
  uint64_t data_offset = 0;  // file offset of the first sound byte
  // The sound bytes there are: what the "data" chunk says, cut to the end of a file that
  // ends sooner (a pipe, whose end is not known, is taken at its word).
  uint32_t data_length = 0;
  uint32_t stated_length = 0;  // what the "data" chunk says
  bool truncated() const { return data_length < stated_length; }
};

// Reads the header from the start of `file`. Chunks in front of "fmt " and between "fmt " and
// "data" are passed over (their lengths rounded up to even), and a "fmt " chunk longer than
// 16 bytes is passed over to its end. Nothing when the file is no WAV file: a short read, a
// "fmt " chunk shorter than 16 bytes, or a format tag other than 1 (PCM).
std::optional<WavHeader> ReadWavHeader(platform::InputFile& file);

// What a tool shows on opening a truncated WAV file `path` (empty for a whole one): "The WAV
// file <path> is truncated: <n> of the <stated> sound bytes its header gives are there."
std::string TruncationRemark(const std::string& path, const WavHeader& header);

}  // namespace kinet::toolkit
