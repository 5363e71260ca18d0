// Writes a whole animation held in memory as a video file, every block coded exactly. The
// pictures and palettes survive decoding unchanged (palette components keep their top 6 bits).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "compressor/video_file_writer.h"

namespace kinet::encoder {

struct AnimationFrame {
  std::vector<uint8_t> pixels;  // width x height, rows top to bottom
  std::array<uint8_t, 768> palette{};
};

struct AnimationSettings {
  uint32_t width = 0, height = 0;  // height as stored
  int32_t frame_rate = 0;          // the header's FrameRate
  bool ring_frame = false;         // add a ring frame that leads back to frame 0
  uint32_t y_mode = 0;             // KINET_FLAG_Y_INTERLACED or KINET_FLAG_Y_DOUBLED
  bool all_key_frames = false;     // every frame stands alone: no skips, literal palettes
};

class SoundFeed;

// Writes the file `path` of `files`. `sound`, when given, supplies track 0's record for every frame
// record and the track's header fields.
WriteStatus WriteAnimation(platform::FileSystem& files, const std::string& path,
                           const AnimationSettings& settings,
                           const std::vector<AnimationFrame>& frames, SoundFeed* sound = nullptr);

}  // namespace kinet::encoder
