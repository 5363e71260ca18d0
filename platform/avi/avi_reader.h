// A RIFF AVI reader: the first video stream (uncompressed 8-bit with its palette and palette
// changes, 16/24/32-bit, RLE8, Motion-JPEG) frame by frame, and the first PCM audio stream's
// format and bytes. Indexes the file by walking its "movi" lists (and those of any extension
// RIFF parts), so a missing or damaged index chunk does not matter. Nothing here throws.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/bytes/byte_io.h"
#include "platform/files/input_file.h"
#include "platform/images/image.h"

namespace kinet::platform {

struct AviAudioFormat {
  uint16_t tag = 0;  // 1 for PCM
  uint16_t channels = 0;
  uint32_t sample_rate = 0;
  uint32_t bytes_per_second = 0;
  uint16_t block_align = 0;
  uint16_t bits = 0;
};

class AviReader {
 public:
  // Reads the headers and indexes the chunks of `file` (read from offset 0). Nothing when it
  // is no AVI file, has no video stream of a supported form, or its headers lie.
  static std::unique_ptr<AviReader> Open(InputFile file);
  static std::unique_ptr<AviReader> Open(FileSystem& files, const std::string& path);

  // The sides of the video format. (The stream header's frame rectangle repeats them; where a
  // damaged file says otherwise, the format is what the frames are decoded by.)
  uint32_t width() const { return width_; }
  uint32_t height() const { return height_; }
  // The frames found, at most the stream's length.
  uint32_t frame_count() const { return static_cast<uint32_t>(frames_.size()); }
  uint32_t start() const { return start_; }
  // The frame period in the FrameRate form: -(100000 x scale / rate).
  int32_t frame_rate() const { return frame_rate_; }
  // Bits per pixel of the decoded frames: 8 (with palette), 16, 24 or 32.
  uint32_t bits() const { return bits_; }
  uint64_t file_bytes() const { return file_bytes_; }

  // Decodes frame `index`, counted from 0, into `frame` and returns its chunk's bytes (at
  // least 1). Frames build on the ones before them (RLE8 and dropped frames), so reading out
  // of order decodes from the first frame again. 0 when the frame cannot be read or decoded.
  uint64_t ReadFrame(uint32_t index, Image& frame);

  bool has_audio() const { return audio_format_.has_value(); }
  const std::optional<AviAudioFormat>& audio_format() const { return audio_format_; }
  uint64_t audio_bytes() const { return audio_bytes_; }
  // Copies audio bytes from offset `at` of the stream; returns how many came.
  size_t ReadAudio(uint64_t at, uint8_t* out, size_t size);

 private:
  struct Chunk {
    uint64_t offset;  // of the data
    uint32_t size;
    bool palette_change;  // an "..pc" chunk: applies to the frames after it
  };
  struct Streams;

  AviReader() = default;
  bool ReadHeaderList(uint64_t at, uint32_t size, Streams& streams);
  bool ReadStreamHeader(ByteReader& chunk);
  bool ReadVideoFormat(ByteReader& chunk);
  bool ReadAudioFormat(ByteReader& chunk);
  void WalkList(uint64_t begin, uint64_t end, Streams& streams, int depth);
  void AddMoviChunk(const char* id, uint64_t offset, uint32_t size, const Streams& streams);
  bool Load(const Chunk& chunk);
  bool DecodeChunk(const Chunk& chunk);
  void ApplyPaletteChange();

  InputFile file_;
  uint32_t width_ = 0, height_ = 0, start_ = 0, bits_ = 8;
  uint32_t stored_bits_ = 0, compression_ = 0;  // as the video format says
  bool bottom_up_ = true;
  int32_t frame_rate_ = 0;
  uint64_t file_bytes_ = 0, audio_bytes_ = 0;
  uint32_t length_ = 0;           // frames the stream header promises
  std::vector<Chunk> video_;      // frames and palette changes in file order
  std::vector<uint32_t> frames_;  // each frame's place in video_
  std::vector<Chunk> audio_;
  std::optional<AviAudioFormat> audio_format_;
  Image picture_;  // the last decoded frame
  std::array<uint8_t, 768> first_palette_{};
  uint32_t next_ = 0;  // frames decoded into picture_
  std::vector<uint8_t> data_;
};

}  // namespace kinet::platform
