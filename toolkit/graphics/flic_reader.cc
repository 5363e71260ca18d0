#include "toolkit/graphics/flic_reader.h"

#include <algorithm>

#include "platform/bytes/byte_io.h"
#include "toolkit/graphics/flic_decoder.h"
#include "toolkit/graphics/flic_format.h"

namespace kinet::toolkit {

std::unique_ptr<FlicReader> FlicReader::Open(platform::InputFile file) {
  uint8_t head[flic::kHeaderSize];
  if (!file.is_open() || !file.Seek(0) || file.Read(head, sizeof head) != sizeof head) {
    return nullptr;
  }
  platform::ByteReader in(std::span<const uint8_t>(head, sizeof head));
  in.Seek(flic::kMagicAt);
  const uint16_t magic = in.U16();
  const uint32_t frames = in.U16(), width = in.U16(), height = in.U16(), depth = in.U16();
  in.Seek(flic::kSpeedAt);
  const uint32_t speed = in.U32();
  if ((magic != flic::kMagicFli && magic != flic::kMagicFlc) || (depth != 8 && depth != 0)) {
    return nullptr;
  }
  std::unique_ptr<FlicReader> reader(new FlicReader);
  reader->picture_.bits = 8;
  // Old FLI files may leave the sides 0: they are always 320x200.
  reader->picture_.width = width ? width : 320;
  reader->picture_.height = height ? height : 200;
  if (!reader->picture_.Allocate()) return nullptr;
  reader->frames_ = frames;
  // FLI counts 1/70 seconds; FLC milliseconds.
  const uint64_t period = magic == flic::kMagicFli ? uint64_t{speed} * 100000 / 70 : speed;
  const auto clamped = static_cast<int32_t>(std::min<uint64_t>(period, INT32_MAX));
  reader->frame_rate_ = magic == flic::kMagicFli ? -clamped : clamped;
  const int64_t size = file.Size();
  reader->file_size_ = size > 0 ? static_cast<uint64_t>(size) : 0;
  reader->first_frame_at_ = reader->next_at_ = flic::kHeaderSize;
  reader->file_ = std::move(file);
  return reader;
}

uint64_t FlicReader::ReadFrameChunk(uint32_t& chunk_count) {
  for (;;) {
    uint8_t head[flic::kFrameHeaderSize];
    if (!file_.Seek(next_at_) || file_.Read(head, sizeof head) != sizeof head) return 0;
    platform::ByteReader in(std::span<const uint8_t>(head, sizeof head));
    const uint32_t size = in.U32();
    const uint16_t type = in.U16();
    chunk_count = in.U16();
    // A size that runs past the end of the file is a lie: nothing is allocated for it.
    if (size < flic::kFrameHeaderSize || next_at_ + size > file_size_) return 0;
    next_at_ += size;
    if (type != flic::kFrameType) continue;  // prefix chunks and others of no concern
    body_.resize(size - flic::kFrameHeaderSize);
    if (file_.Read(body_.data(), body_.size()) != body_.size()) return 0;
    return size;
  }
}

uint64_t FlicReader::Read(platform::Image& frame) {
  if (next_frame_ >= frames_ && !Rewind()) return 0;
  uint32_t chunk_count = 0;
  const uint64_t size = ReadFrameChunk(chunk_count);
  if (size == 0 || !flic::DecodeFrame(body_, chunk_count, picture_)) return 0;
  ++next_frame_;
  frame = picture_;
  return size;
}

bool FlicReader::Rewind() {
  next_at_ = first_frame_at_;
  next_frame_ = 0;
  std::fill(picture_.pixels.begin(), picture_.pixels.end(), 0);
  picture_.palette.fill(0);
  return file_.is_open();
}

}  // namespace kinet::toolkit
