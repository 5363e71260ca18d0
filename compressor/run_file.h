// The temporary file between the analysis pass and the compression pass: every frame's block
// runs, written once in frame order and read back once in the same order. Written and read
// only here.
//
// A frame is a 4-byte length of what follows, its key flag, a palette flag with the palette
// when it differs from the frame before, the frame's sound record (a 4-byte length and the
// record), then one record per chunk of a run: the low byte of
// the chunk's block-type value (kind in bits 0-1, run code above), then for a fill chunk the
// colour, for a two-colour chunk each block's two-colour word (4 bytes, little-endian), and
// for a full chunk each block's 16 pixels. The compression pass thus needs nothing else from
// the source.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "compressor/frame_writer.h"
#include "platform/files/file_system.h"

namespace kinet::encoder {

// One frame read back: codes and the pixels of full blocks as FrameCodes wants them.
struct RunFrame {
  std::vector<uint32_t> codes;
  std::vector<uint8_t> pixels;  // width x height; only full blocks' pixels are filled in
  std::array<uint8_t, 768> palette{};
  bool key_frame = false;
  std::vector<uint8_t> sound;  // track 0's record; empty when the frame carries none
};

class RunFile {
 public:
  explicit RunFile(platform::FileSystem& files) : files_(files) {}
  RunFile(const RunFile&) = delete;
  RunFile& operator=(const RunFile&) = delete;
  // Creates a new file of the file system with a unique name beginning "knt" in `directory`
  // and removes its name at once: the open file holds the runs, and nothing is left behind
  // however the run ends (killed included). False on failure.
  [[nodiscard]] bool Create(const std::string& directory, uint32_t width, uint32_t height);

  // Appends a frame: its code words and picture (FrameCodes), palette, key flag and sound
  // record. False when the write failed (a full disk).
  [[nodiscard]] bool Append(const FrameCodes& frame, const uint8_t palette[768], bool key_frame,
                            const std::vector<uint8_t>& sound = {});

  // Back to the first frame for reading.
  [[nodiscard]] bool Rewind();
  // Reads the next frame into `frame`, which keeps the palette of the frame before unless
  // this one brings its own: pass the same RunFrame for every frame. False when the file
  // ends early or is damaged.
  [[nodiscard]] bool Read(RunFrame& frame);

 private:
  platform::FileSystem& files_;
  std::unique_ptr<platform::File> file_;
  uint32_t width_ = 0, height_ = 0;
  std::array<uint8_t, 768> last_palette_{};
  bool first_ = true;
  std::vector<uint8_t> buffer_;
};

}  // namespace kinet::encoder
