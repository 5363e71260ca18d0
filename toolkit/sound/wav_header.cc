#include "toolkit/sound/wav_header.h"

#include <algorithm>
#include <cstring>
#include <span>

#include "platform/bytes/byte_io.h"

namespace kinet::toolkit {
namespace {

constexpr uint16_t kPcmTag = 1;
constexpr uint32_t kFormatBytes = 16;

// Moves from `at` over chunks until one named `id`; returns its length and leaves the file at
// its contents, or nothing at a short read.
std::optional<uint32_t> FindChunk(platform::InputFile& file, uint64_t& at, const char* id) {
  for (;;) {
    uint8_t head[8];
    if (!file.Seek(at) || file.Read(head, sizeof head) != sizeof head) return std::nullopt;
    const uint32_t length = platform::ByteReader(head, 4).U32();
    at += sizeof head;
    if (std::memcmp(head, id, 4) == 0) return length;
    at += uint64_t{length} + (length & 1);
  }
}

}  // namespace

std::optional<WavHeader> ReadWavHeader(platform::InputFile& file) {
  uint8_t riff[12];
  if (!file.Seek(0) || file.Read(riff, sizeof riff) != sizeof riff ||
      std::memcmp(riff, "RIFF", 4) != 0 || std::memcmp(riff + 8, "WAVE", 4) != 0) {
    return std::nullopt;
  }
  uint64_t at = sizeof riff;
  const auto format_length = FindChunk(file, at, "fmt ");
  uint8_t fmt[kFormatBytes];
  if (!format_length || *format_length < kFormatBytes || file.Read(fmt, sizeof fmt) != sizeof fmt) {
    return std::nullopt;
  }
  platform::ByteReader in(fmt);
  if (in.U16() != kPcmTag) return std::nullopt;
  WavHeader header;
  header.format.channels = in.U16();
  header.format.rate = in.U32();
  header.byte_rate = in.U32();
  in.Skip(2);  // the block alignment follows from the rest
  header.format.bits = in.U16();
  at += uint64_t{*format_length} + (*format_length & 1);
  const auto data_length = FindChunk(file, at, "data");
  if (!data_length) return std::nullopt;
  header.data_offset = at;
  header.stated_length = header.data_length = *data_length;
  if (const int64_t size = file.Size(); size >= 0) {
    const uint64_t present = static_cast<uint64_t>(size) - std::min<uint64_t>(size, at);
    header.data_length = static_cast<uint32_t>(std::min<uint64_t>(present, *data_length));
  }
  return header;
}

std::string TruncationRemark(const std::string& path, const WavHeader& header) {
  if (!header.truncated()) return {};
  return "The WAV file " + path + " is truncated: " + std::to_string(header.data_length) +
         " of the " + std::to_string(header.stated_length) +
         " sound bytes its header gives are there.";
}

}  // namespace kinet::toolkit
