// The file tonworkw writes: a WAV file when the name ends in ".wav" (any case), a 44-byte
// header in front of the samples, written with both lengths 0 first and again with the true
// lengths at the end; with any other extension the samples alone. Read back by the sound
// source (toolkit/sound/wav_header.h).
//
// Bytes go to a temporary file that takes the output's name only in Finish, so a failed or
// cancelled conversion leaves nothing partial and any earlier file of the name untouched.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/files/output_file.h"
#include "toolkit/sound/sound_format.h"

namespace kinet::tone {

inline constexpr size_t kWavHeaderSize = 44;

// True when `name` ends in ".wav", compared without regard to case.
bool IsWavName(const std::string& name);

// The header of a PCM WAV file holding `data_length` bytes of sound in `format`.
std::array<uint8_t, kWavHeaderSize> WavHeaderBytes(const toolkit::SoundFormat& format,
                                                   uint32_t data_length);

class ToneOutput {
 public:
  // Creates the temporary file of `files` and, for a WAV name, writes the header with lengths 0.
  [[nodiscard]] bool Create(platform::FileSystem& files, const std::string& path,
                            const toolkit::SoundFormat& format);
  // Appends samples. False when not all were written, or when a WAV file would pass the
  // 4 GiB its lengths can count.
  [[nodiscard]] bool Write(const uint8_t* data, size_t size);
  // Writes the header again with its lengths and puts the file in place. False on failure.
  [[nodiscard]] bool Finish();

  // Bytes in the file so far, the header included.
  uint64_t length() const { return length_; }

 private:
  platform::SafeOutputFile out_;
  toolkit::SoundFormat format_;
  bool wav_ = false;
  uint64_t length_ = 0;
};

}  // namespace kinet::tone
