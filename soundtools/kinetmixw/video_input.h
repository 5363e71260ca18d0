// The video file a mix reads, taken as it lies on disk (the layout of kinet_format.h): the
// header, the frame size and frame type tables, the tree data block, then the frame records
// one after another, each split into its palette record, its sound records and its video data.
// Nothing is decoded: the mix copies every part it does not replace byte for byte.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "kinet/kinet_format.h"
#include "platform/files/file_system.h"

namespace kinet::mix {

enum class VideoStatus {
  kOk,
  kCannotOpen,  // no file to read under the name
  kNotVideo,    // shorter than a header, or another signature
  kDamaged,     // tables, trees or frame records that pass the end of the file
};

// Where the parts of one frame record lie, in bytes from the record's start.
struct FrameParts {
  uint32_t palette_length = 0;  // the palette record at the start; 0 without one
  struct Span {
    uint32_t offset = 0, length = 0;  // length 0: the frame has no record of the track
  };
  std::array<Span, KINET_TRACKS> tracks{};
  uint32_t video_offset = 0;  // the video data runs from here to the record's end
};

// Splits a frame record by its type byte as the playback library reads it (a palette length
// byte of 0 still takes one byte). Nothing when a part would pass the record's end or a sound
// record's length cannot count its own 4-byte field.
std::optional<FrameParts> SplitFrameRecord(const uint8_t* record, uint32_t size, uint8_t type);

class VideoInput {
 public:
  // Reads header and tables and checks that the trees and every frame record lie inside the
  // file. `files` must outlive the input.
  [[nodiscard]] VideoStatus Open(platform::FileSystem& files, const std::string& path);

  const KinetHeader& header() const { return header_; }
  uint32_t records() const { return static_cast<uint32_t>(types_.size()); }
  const std::vector<uint32_t>& sizes() const { return sizes_; }
  const std::vector<uint8_t>& types() const { return types_; }

  // Hands the tree data block to `sink` in pieces of at most 32768 bytes. False when a read
  // fails or the sink refuses a piece.
  [[nodiscard]] bool CopyTrees(const std::function<bool(const uint8_t*, size_t)>& sink);
  // Reads the next frame record (records in order, after the trees). False on a short read.
  [[nodiscard]] bool ReadRecord(uint32_t index, std::vector<uint8_t>& record);

 private:
  [[nodiscard]] bool ReadFully(void* data, size_t size);

  std::unique_ptr<platform::File> file_;
  KinetHeader header_{};
  std::vector<uint32_t> sizes_;
  std::vector<uint8_t> types_;
};

}  // namespace kinet::mix
