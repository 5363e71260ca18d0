#include "toolkit/graphics/raw_reader.h"

#include <algorithm>
#include <cstring>

#include "platform/bytes/byte_io.h"

namespace kinet::toolkit {

std::unique_ptr<RawReader> RawReader::Open(platform::InputFile file) {
  uint8_t head[kRawHeaderSize];
  if (!file.is_open() || file.Read(head, sizeof head) != sizeof head ||
      std::memcmp(head, "RAWB", 4) != 0) {
    return nullptr;
  }
  platform::ByteReader in(std::span<const uint8_t>(head, sizeof head), 4);
  auto reader = std::make_unique<RawReader>();
  reader->frames_ = in.U32();
  reader->width_ = in.U32();
  reader->height_ = in.U32();
  const uint32_t period = in.U32();
  reader->frame_rate_ = -static_cast<int32_t>(std::min<uint32_t>(period, INT32_MAX));
  const int64_t size = file.Size();
  reader->file_bytes_ = size > 0 ? static_cast<uint64_t>(size) : 0;
  if (!platform::ImageSidesAllowed(reader->width_, reader->height_) || reader->frames_ == 0 ||
      kRawHeaderSize + reader->frames_ * reader->FrameBytes() > reader->file_bytes_) {
    return nullptr;
  }
  reader->file_ = std::move(file);
  return reader;
}

uint64_t RawReader::FrameBytes() const { return 768 + uint64_t{(width_ + 3) & ~3u} * height_; }

uint64_t RawReader::Read(platform::Image& frame) {
  if (next_ >= frames_) next_ = 0;
  record_.resize(FrameBytes());
  if (!file_.Seek(kRawHeaderSize + next_ * FrameBytes()) ||
      file_.Read(record_.data(), record_.size()) != record_.size()) {
    return 0;
  }
  frame.width = width_, frame.height = height_, frame.bits = 8;
  if (!frame.Allocate()) return 0;
  std::copy_n(record_.begin(), 768, frame.palette.begin());
  const size_t pitch = (width_ + 3) & ~3u;
  for (uint32_t y = 0; y < height_; ++y) {
    std::copy_n(&record_[768 + y * pitch], width_, &frame.pixels[size_t{y} * width_]);
  }
  ++next_;
  return record_.size();
}

bool RawReader::Rewind() {
  next_ = 0;
  return true;
}

bool RawReader::Skip(uint32_t count) {
  if (count > frames_ - next_) return false;
  next_ += count;
  return true;
}

}  // namespace kinet::toolkit
