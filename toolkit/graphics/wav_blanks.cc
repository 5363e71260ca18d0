#include "toolkit/graphics/wav_blanks.h"

#include <algorithm>
#include <cstring>

#include "platform/bytes/byte_io.h"

namespace kinet::toolkit {

std::unique_ptr<WavBlankReader> WavBlankReader::Open(platform::InputFile file) {
  uint8_t head[12];
  if (!file.is_open() || file.Read(head, 12) != 12 || std::memcmp(head, "RIFF", 4) != 0 ||
      std::memcmp(head + 8, "WAVE", 4) != 0) {
    return nullptr;
  }
  uint32_t bytes_per_second = 0;
  uint64_t at = 12;
  for (;;) {
    uint8_t chunk[16];
    if (!file.Seek(at) || file.Read(chunk, 8) != 8) return nullptr;
    platform::ByteReader in(std::span<const uint8_t>(chunk, 8));
    in.Skip(4);
    const uint32_t size = in.U32();
    if (std::memcmp(chunk, "fmt ", 4) == 0) {
      if (size < 16 || file.Read(chunk, 16) != 16) return nullptr;
      platform::ByteReader fmt(std::span<const uint8_t>(chunk, 16));
      if (fmt.U16() != 1) return nullptr;  // PCM only
      fmt.Skip(6);
      bytes_per_second = fmt.U32();
    } else if (std::memcmp(chunk, "data", 4) == 0) {
      if (bytes_per_second == 0) return nullptr;
      auto reader = std::make_unique<WavBlankReader>();
      const uint64_t frames = uint64_t{size} * 10 / bytes_per_second + 1;
      reader->frames_ = static_cast<uint32_t>(std::min<uint64_t>(frames, UINT32_MAX));
      const int64_t file_size = file.Size();
      reader->file_bytes_ = file_size > 0 ? static_cast<uint64_t>(file_size) : 0;
      return reader;
    }
    at += 8 + uint64_t{size} + (size & 1);  // chunks are padded to even lengths
  }
}

uint64_t WavBlankReader::Read(platform::Image& frame) {
  frame.width = kBlankWidth, frame.height = kBlankHeight, frame.bits = 8;
  frame.palette.fill(0);
  if (!frame.Allocate()) return 0;
  return 1;
}

}  // namespace kinet::toolkit
