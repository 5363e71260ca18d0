// Where a sound source takes its input bytes from: a file (WAV or raw PCM), the audio stream
// of an AVI file, or a sound track of a video file. Each gives the sound's bytes in the
// input's own format from an offset on; the source converts them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/avi/avi_reader.h"
#include "platform/files/input_file.h"
#include "toolkit/sound/sound_format.h"

namespace kinet::toolkit {

class PcmInput {
 public:
  virtual ~PcmInput() = default;
  // Goes to `offset` bytes into the sound. False when that fails.
  [[nodiscard]] virtual bool Seek(uint64_t offset) = 0;
  // Copies up to `size` bytes from the current position and returns how many came: fewer
  // only at the end of the input or when a read fails.
  virtual size_t Read(uint8_t* out, size_t size) = 0;
};

// The kinds of sound source; the numbers are the ones the tools show.
enum class SoundKind : uint8_t { kFile = 1, kVideoTrack = 2, kAvi = 3, kList = 4 };

// An input found by the opener, before trimming.
struct OpenedInput {
  SoundKind kind = SoundKind::kFile;
  std::unique_ptr<PcmInput> input;
  SoundFormat format;
  uint64_t length = 0;  // stated bytes of sound; the input may end sooner
  std::string remark;   // what the tool shows on opening (a truncated file); empty mostly
  // The frame period in 10-microsecond units of an input that has frames (a video file, an
  // AVI file with a video stream): start and end values may then count frames.
  std::optional<uint32_t> frame_ticks;
};

// The sound of a file from `data_offset` on: a WAV file's "data" contents or raw PCM.
class FileInput : public PcmInput {
 public:
  FileInput(platform::InputFile file, uint64_t data_offset)
      : file_(std::move(file)), data_offset_(data_offset) {}
  bool Seek(uint64_t offset) override;
  size_t Read(uint8_t* out, size_t size) override { return file_.Read(out, size); }

 private:
  platform::InputFile file_;
  uint64_t data_offset_;
};

// The first PCM audio stream of an AVI file, read by byte position.
class AviInput : public PcmInput {
 public:
  explicit AviInput(std::unique_ptr<platform::AviReader> avi) : avi_(std::move(avi)) {}
  bool Seek(uint64_t offset) override;
  size_t Read(uint8_t* out, size_t size) override;

 private:
  std::unique_ptr<platform::AviReader> avi_;
  uint64_t position_ = 0;
};

// Opens `path` of `files` as a WAV file, or as raw PCM of `raw_type` (packed as in UnpackRawType, 0
// for none) whose data starts `skip` bytes in (at most at the last byte). Nothing when the file
// cannot be opened, is no WAV file, or its format is not usable.
std::optional<OpenedInput> OpenSoundFile(platform::FileSystem& files, const std::string& path,
                                         uint32_t raw_type, uint32_t skip);

// What opening an AVI file gave: an input, or the reason there is none.
enum class AviOpenStatus { kOpened, kNotAvi, kNoPcmAudio };
struct AviOpenResult {
  AviOpenStatus status = AviOpenStatus::kNotAvi;
  std::optional<OpenedInput> opened;
};
AviOpenResult OpenAviAudio(platform::FileSystem& files, const std::string& path);

}  // namespace kinet::toolkit
