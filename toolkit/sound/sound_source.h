// The sound source shared by the compressor, the mixer and the sound processor: a WAV file,
// raw PCM of a stated format, a sound track of a video file, the audio of an AVI file, a
// numbered series of sound files or a wave list file, trimmed to a start and an end and
// delivered in a chosen PCM format.
//
// Opening tries, in order (a name without extension gets ".wav" for the first four):
//   a numbered series (a name with a run of '?'), a wave list (".lst"), raw PCM when a raw type
//   is forced, a WAV file; then the name as given as a video file (".knt" added when it has no
//   extension), then as an AVI file (".avi" added when it has no extension).
//
// Start and end are milliseconds. A negative value -n counts frames where the input has them
// (a video file, an AVI file with a video stream): the start is then the time of frame n, the
// end the end of frame n; for other input its magnitude counts. An end below the start is
// ignored, and so is a start at or beyond the end of the sound.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "toolkit/sound/pcm_input.h"
#include "toolkit/sound/sound_format.h"

namespace kinet::toolkit {

enum class SoundMessage : int {
  kProgress = 0,       // a progress text on every read after the first
  kFirstProgress = 1,  // the progress text of the first read
  kError = 2,          // why opening failed
  kRemark = 3,         // on opening, about an input that is used all the same (a cut WAV)
};
using SoundCallback = std::function<void(SoundMessage kind, std::string_view text)>;

inline constexpr std::string_view kNoFilesInWaveList = "No files in the wave list file.";
inline constexpr std::string_view kNoSoundInFile = "No sound found in the Kinetor file.";
inline constexpr std::string_view kNoSoundInTrack =
    "No sound found in the specified Kinetor track.";
inline constexpr std::string_view kErrorReadingAvi = "Error reading AVI file.";
inline constexpr std::string_view kErrorOpeningInput = "Error opening the input file.";
// A numbered series must end at a number above 0 (its last number, or the /E value of a
// series without one).
inline constexpr std::string_view kSeriesWithoutEnd =
    "The numbered series needs a last number above 0.";

struct SoundOptions {
  SoundCallback callback{};  // may be empty: no messages
  // Asked before each item a list or series opens to measure it; true ends the opening with
  // nothing and no message (the user cancelled). May be empty.
  std::function<bool()> cancelled{};
  uint32_t raw_type = 0;     // forced raw input packed as rate x 8 + code (UnpackRawType); 0 none
  uint32_t skip = 0;         // bytes before the raw data
  int32_t track = 0;         // video-file track 1..7; 0 the first with sound
  int32_t start = 0, end = 0;
  // The output format; 0 (and bits other than 8 and 16, channels other than 1 and 2, rates
  // below 0) mean the input's own. Rates above kMaxSoundRate are lowered to it.
  int32_t rate = 0, bits = 0, channels = 0;
};

class SoundSource {
 public:
  virtual ~SoundSource() = default;
  SoundSource(const SoundSource&) = delete;
  SoundSource& operator=(const SoundSource&) = delete;

  // Fills `out` with up to `wanted` bytes, rounded down to whole output frames, and returns
  // how many came: fewer than asked only at the end of the sound. 0 with at_end() set: the
  // sound is exhausted. Sends the progress text first.
  virtual size_t Read(uint8_t* out, size_t wanted) = 0;
  // Back to the state right after opening (same trimming). False when the input cannot be
  // read again; the source is then at its end.
  [[nodiscard]] virtual bool Rewind() = 0;

  bool at_end() const { return at_end_; }
  SoundKind kind() const { return kind_; }
  const std::string& name() const { return name_; }
  const SoundFormat& format() const { return output_; }
  // A list's input format is its output format.
  const SoundFormat& input_format() const { return input_; }
  // The sound's length after trimming and what is still to come, in input bytes (for a list
  // in output bytes); the progress is (length - remaining) x 100 / length.
  uint64_t length() const { return length_; }
  uint64_t remaining() const { return remaining_; }
  // About how many bytes the whole sound gives in the output format.
  uint64_t output_length() const;

 protected:
  SoundSource(SoundKind kind, std::string name, SoundCallback callback)
      : kind_(kind), name_(std::move(name)), callback_(std::move(callback)) {}
  // Sends "Processing sound data (n%)..." when there is a callback.
  void ReportProgress();

  SoundKind kind_;
  std::string name_;
  SoundCallback callback_;
  SoundFormat input_, output_;
  uint64_t length_ = 0, remaining_ = 0;
  bool at_end_ = false, read_before_ = false;
};

// Opens `name` (see above) of `files`, which must outlive the source. Nothing on failure, after
// the callback got the reason, if any.
std::unique_ptr<SoundSource> OpenSoundSource(platform::FileSystem& files,
                                             const SoundOptions& options, const std::string& name);

}  // namespace kinet::toolkit
