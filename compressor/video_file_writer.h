// Writes a complete video file (.knt): header, frame size and type tables, the four trees,
// then every frame record; the header and tables are written again at the end with their final
// values. Read by KinetOpen (lib/include/kinet/kinet.h).
//
// The output replaces its target only when Finish succeeds; a writer dropped earlier leaves
// any earlier file of that name untouched and nothing partial behind.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "compressor/frame_writer.h"
#include "kinet/kinet_format.h"
#include "platform/files/output_file.h"

namespace kinet::encoder {

enum class WriteStatus {
  kOk,
  kCannotCreate,   // the output file could not be created
  kWriteFailed,    // a write failed (a full disk)
  kReplaceFailed,  // the complete file could not be put in place under its name
  kTooComplex,     // a tree would need codes longer than 30 bits
  kBadFrame,       // a frame's symbols differ from those its statistics were gathered from
};

struct VideoFileSettings {
  uint32_t width = 0;
  uint32_t height = 0;        // as stored
  int32_t frame_rate = 0;     // the header's FrameRate
  uint32_t flags = 0;         // KINET_FLAG_*
  uint32_t record_count = 0;  // frame records, the ring frame included
};

class VideoFileWriter {
 public:
  // The output goes to a file of `files`.
  explicit VideoFileWriter(platform::FileSystem& files) : files_(files) {}

  // The statistics of every frame must be added to trees() before Begin.
  VideoTreeSet& trees() { return trees_; }

  // Creates the output, writes the header and table placeholders and the four trees, padded
  // to a multiple of 512 bytes.
  [[nodiscard]] WriteStatus Begin(const std::string& path, const VideoFileSettings& settings);

  // Writes the next frame record: the palette record when `palette` differs from the last
  // frame's (all literal for a key frame other than the first), then `audio` records as they
  // stand (each a whole record for track 0, 1, ... with its type bit), then the video.
  [[nodiscard]] WriteStatus WriteFrame(const FrameCodes& frame, const uint8_t palette[768],
                                       bool key_frame,
                                       const std::vector<std::vector<uint8_t>>& audio = {});

  // Header fields that are known only at the end (AudioSize, AudioRate).
  KinetHeader& header() { return header_; }

  // Rewrites header and tables and puts the file in place (kReplaceFailed when only that last
  // step fails).
  [[nodiscard]] WriteStatus Finish();

 private:
  [[nodiscard]] bool Put(const std::vector<uint8_t>& bytes);
  [[nodiscard]] bool WriteHeaderAndTables();

  VideoTreeSet trees_;
  platform::FileSystem& files_;
  platform::SafeOutputFile out_;
  KinetHeader header_{};
  std::vector<uint32_t> sizes_;
  std::vector<uint8_t> types_;
  std::array<uint8_t, 768> previous_palette_{};
  uint32_t frames_written_ = 0;
  uint64_t position_ = 0;
};

}  // namespace kinet::encoder
