#include "soundtools/kinetmixw/video_input.h"

#include <algorithm>

#include "lib/core/format.h"

namespace kinet::mix {

namespace {

constexpr size_t kTreePiece = 32768;
constexpr uint32_t kLengthField = 4;

}  // namespace

std::optional<FrameParts> SplitFrameRecord(const uint8_t* record, uint32_t size, uint8_t type) {
  FrameParts parts;
  uint32_t at = 0;
  if (type & KINET_FRAME_PALETTE) {
    if (size == 0) return std::nullopt;
    parts.palette_length = std::max<uint32_t>(record[0] * 4u, 1);
    if (parts.palette_length > size) return std::nullopt;
    at = parts.palette_length;
  }
  for (uint32_t t = 0; t < KINET_TRACKS; ++t) {
    if (!(type & KINET_FRAME_AUDIO(t))) continue;
    if (size - at < kLengthField) return std::nullopt;
    const uint32_t length = LoadLe32(record + at);
    if (length < kLengthField || length > size - at) return std::nullopt;
    parts.tracks[t] = {at, length};
    at += length;
  }
  parts.video_offset = at;
  return parts;
}

bool VideoInput::ReadFully(void* data, size_t size) {
  auto* p = static_cast<uint8_t*>(data);
  while (size > 0) {
    const size_t got = file_->Read(p, size);
    if (got == 0) return false;
    p += got;
    size -= got;
  }
  return true;
}

VideoStatus VideoInput::Open(platform::FileSystem& files, const std::string& path) {
  file_ = files.Open(path, platform::OpenMode::kRead);
  if (!file_) return VideoStatus::kCannotOpen;
  uint8_t bytes[KINET_HEADER_SIZE];
  if (!ReadFully(bytes, sizeof bytes)) return VideoStatus::kNotVideo;
  header_ = ParseHeader(bytes);
  if (header_.Signature != KINET_SIGNATURE) return VideoStatus::kNotVideo;
  // The tables are checked against the file's length before they are read, so that a header
  // announcing billions of frames allocates nothing.
  const int64_t file_size = file_->Size();
  const uint64_t records = FrameRecordCount(header_);
  const uint64_t first = KINET_HEADER_SIZE + 5 * records + uint64_t{header_.TreeSize};
  if (file_size < 0 || first > uint64_t(file_size)) return VideoStatus::kDamaged;
  std::vector<uint8_t> table(4 * records);
  types_.resize(records);
  if (!ReadFully(table.data(), table.size()) || !ReadFully(types_.data(), types_.size()))
    return VideoStatus::kDamaged;
  sizes_.resize(records);
  uint64_t total = first;
  for (uint64_t i = 0; i < records; ++i) {
    sizes_[i] = LoadLe32(table.data() + 4 * i);
    total += sizes_[i];
  }
  return total <= uint64_t(file_size) ? VideoStatus::kOk : VideoStatus::kDamaged;
}

bool VideoInput::CopyTrees(const std::function<bool(const uint8_t*, size_t)>& sink) {
  std::vector<uint8_t> piece(kTreePiece);
  for (uint64_t left = header_.TreeSize; left > 0;) {
    const size_t n = static_cast<size_t>(std::min<uint64_t>(left, kTreePiece));
    if (!ReadFully(piece.data(), n) || !sink(piece.data(), n)) return false;
    left -= n;
  }
  return true;
}

bool VideoInput::ReadRecord(uint32_t index, std::vector<uint8_t>& record) {
  record.resize(sizes_[index]);
  return ReadFully(record.data(), record.size());
}

}  // namespace kinet::mix
