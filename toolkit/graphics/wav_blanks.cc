#include "toolkit/graphics/wav_blanks.h"

#include <algorithm>

#include "toolkit/sound/wav_header.h"

namespace kinet::toolkit {

std::unique_ptr<WavBlankReader> WavBlankReader::Open(platform::InputFile file,
                                                     const std::string& path) {
  if (!file.is_open()) return nullptr;
  const std::optional<WavHeader> header = ReadWavHeader(file);
  if (!header || header->byte_rate == 0) return nullptr;
  auto reader = std::make_unique<WavBlankReader>();
  const uint64_t frames = uint64_t{header->data_length} * 10 / header->byte_rate + 1;
  reader->frames_ = static_cast<uint32_t>(std::min<uint64_t>(frames, UINT32_MAX));
  const int64_t file_size = file.Size();
  reader->file_bytes_ = file_size > 0 ? static_cast<uint64_t>(file_size) : 0;
  reader->remark_ = TruncationRemark(path, *header);
  return reader;
}

uint64_t WavBlankReader::Read(platform::Image& frame) {
  frame.width = kBlankWidth, frame.height = kBlankHeight, frame.bits = 8;
  frame.palette.fill(0);
  if (!frame.Allocate()) return 0;
  return 1;
}

}  // namespace kinet::toolkit
