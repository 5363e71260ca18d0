// A sound track of a video file as sound input: the track is chosen by the tools' numbering
// (1 to 7, 0 for the first with sound), and its sound is decoded frame by frame through the
// playback library's track-data call.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "kinet/kinet.h"
#include "toolkit/sound/pcm_input.h"
#include "toolkit/sound/sound_source.h"

namespace kinet::toolkit {

struct KinetHandleCloser {
  void operator()(KinetHandle* handle) const { KinetClose(handle); }
};
using KinetHandlePtr = std::unique_ptr<KinetHandle, KinetHandleCloser>;

// The track's decoded sound, one frame's piece after the other. The input ends after the last
// frame (a ring frame is not read).
class VideoTrackInput : public PcmInput {
 public:
  VideoTrackInput(KinetHandlePtr handle, uint32_t track_mask, uint32_t piece_bytes);
  bool Seek(uint64_t offset) override;
  size_t Read(uint8_t* out, size_t size) override;

 private:
  // Decodes the next frame's piece, passing over what is still to be skipped. False after
  // the last frame.
  bool NextPiece();

  KinetHandlePtr handle_;
  uint32_t track_mask_;
  std::vector<uint8_t> piece_;
  size_t piece_at_ = 0, piece_end_ = 0;
  uint32_t next_frame_ = 0;  // frames decoded so far
  uint64_t skip_ = 0;        // bytes still to pass over
};

struct VideoOpenResult {
  bool is_video = false;              // the playback library opened the file
  std::optional<OpenedInput> opened;  // the track, when it has sound
  std::string_view error;             // kNoSoundInFile or kNoSoundInTrack otherwise
};

// Opens `path` of `files` as a video file and chooses the track: `track` 0 (or below) the first of
// 1 to 7 with sound, 1 to 7 that track, 8 and above track 7. The stated length of a coded track is
// the video's duration of sound, rounded down to a multiple of 4 bytes; for a raw track the
// rate times the frame count, or the duration where that is longer.
VideoOpenResult OpenVideoTrack(platform::FileSystem& files, const std::string& path, int32_t track);

}  // namespace kinet::toolkit
