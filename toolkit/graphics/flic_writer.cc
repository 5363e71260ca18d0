#include "toolkit/graphics/flic_writer.h"

#include <algorithm>
#include <cstring>

#include "platform/bytes/byte_io.h"
#include "toolkit/graphics/flic_encoder.h"
#include "toolkit/graphics/flic_format.h"

namespace kinet::toolkit {

using platform::PutU16At;
using platform::PutU32At;

std::unique_ptr<FlicWriter> FlicWriter::Create(platform::FileSystem& files, const std::string& path,
                                               uint32_t width, uint32_t height,
                                               int32_t frame_rate) {
  if (width == 0 || height == 0 || width > 65535 || height > 65535) return nullptr;
  std::unique_ptr<FlicWriter> writer(new FlicWriter);
  if (!writer->file_.Create(files, path)) return nullptr;
  writer->width_ = width, writer->height_ = height;
  // FLC counts milliseconds; the negative form counts 10 microseconds.
  writer->speed_ms_ = frame_rate >= 0 ? static_cast<uint32_t>(frame_rate)
                                      : static_cast<uint32_t>((-int64_t{frame_rate} + 50) / 100);
  const std::vector<uint8_t> header(flic::kHeaderSize, 0);  // written for real at Close
  if (!writer->file_.Write(header.data(), header.size())) return nullptr;
  writer->size_ = flic::kHeaderSize;
  return writer;
}

bool FlicWriter::WriteFrame(const uint8_t* palette, const uint8_t* pixels) {
  if (frames_ == 65535) return false;
  chunk_.assign(flic::kFrameHeaderSize, 0);
  uint32_t chunks = 0;
  const std::span<const uint8_t> previous_palette =
      frames_ == 0 ? std::span<const uint8_t>() : std::span<const uint8_t>(previous_palette_);
  if (flic::AppendColours({palette, 768}, previous_palette, chunk_)) ++chunks;

  const flic::PictureView now{pixels, width_, height_};
  const size_t raw = size_t{width_} * height_;
  const bool unchanged = frames_ > 0 && std::memcmp(pixels, previous_.data(), raw) == 0;
  if (!unchanged) {
    const size_t picture_at = chunk_.size();
    bool coded = false;
    if (frames_ > 0) {
      const flic::PictureView before{previous_.data(), width_, height_};
      coded = width_ == 320 && height_ == 200 ? flic::AppendDeltaFli(now, before, chunk_)
                                              : flic::AppendDeltaFlc(now, before, chunk_);
      if (coded && chunk_.size() - picture_at >= raw) chunk_.resize(picture_at), coded = false;
    }
    if (!coded) {
      flic::AppendByteRun(now, chunk_);
      if (chunk_.size() - picture_at >= raw) {
        chunk_.resize(picture_at);
        flic::AppendCopy(now, chunk_);
      }
    }
    ++chunks;
  }
  PutU32At(chunk_, 0, static_cast<uint32_t>(chunk_.size()));
  PutU16At(chunk_, 4, flic::kFrameType);
  PutU16At(chunk_, 6, chunks);
  if (frames_ == 1) second_frame_at_ = size_;
  if (!file_.Write(chunk_.data(), chunk_.size())) return false;
  size_ += chunk_.size();
  previous_.assign(pixels, pixels + raw);
  std::copy_n(palette, 768, previous_palette_.begin());
  ++frames_;
  return true;
}

bool FlicWriter::Close() {
  std::vector<uint8_t> header(flic::kHeaderSize, 0);
  PutU32At(header, flic::kSizeAt, static_cast<uint32_t>(std::min<uint64_t>(size_, UINT32_MAX)));
  PutU16At(header, flic::kMagicAt, flic::kMagicFlc);
  PutU16At(header, flic::kFramesAt, frames_);
  PutU16At(header, flic::kWidthAt, width_);
  PutU16At(header, flic::kHeightAt, height_);
  PutU16At(header, flic::kDepthAt, 8);
  PutU16At(header, flic::kFlagsAt, 3);  // the file was closed properly
  PutU32At(header, flic::kSpeedAt, speed_ms_);
  PutU32At(header, flic::kFirstFrameAt, flic::kHeaderSize);
  PutU32At(header, flic::kSecondFrameAt, static_cast<uint32_t>(second_frame_at_));
  return file_.Seek(0) && file_.Write(header.data(), header.size()) && file_.Commit();
}

}  // namespace kinet::toolkit
