// The header of a WAV file: "RIFF", a length, "WAVE", chunks up to the "fmt " chunk of a PCM
// format, then chunks up to the "data" chunk that holds the sound.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/files/input_file.h"
#include "toolkit/sound/sound_format.h"

namespace kinet::toolkit {

struct WavHeader {
  SoundFormat format;        // as the "fmt " chunk says; not checked for usability
  uint64_t data_offset = 0;  // file offset of the first sound byte
  uint32_t data_length = 0;  // as the "data" chunk says; the file may end sooner
};

// Reads the header from the start of `file`. Chunks in front of "fmt " and between "fmt " and
// "data" are passed over (their lengths rounded up to even), and a "fmt " chunk longer than
// 16 bytes is passed over to its end. Nothing when the file is no WAV file: a short read, a
// "fmt " chunk shorter than 16 bytes, or a format tag other than 1 (PCM).
std::optional<WavHeader> ReadWavHeader(platform::InputFile& file);

}  // namespace kinet::toolkit
