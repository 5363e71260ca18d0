#include "toolkit/graphics/video_file_reader.h"

#include <algorithm>

#include "lib/playback/open_input.h"

namespace kinet::toolkit {

std::unique_ptr<VideoFileReader> VideoFileReader::Open(platform::FileSystem& files,
                                                       const std::string& path) {
  platform::InputFile file;
  if (!file.Open(files, path)) return nullptr;
  const int64_t size = file.Size();
  // No sound tracks, and every frame decoded however long it takes: a tool reads, it does not
  // play.
  KinetHandle* h = OpenInputFile(std::move(file), KINET_OPEN_NO_SKIP, -1);
  if (!h) return nullptr;
  std::unique_ptr<VideoFileReader> reader(new VideoFileReader);
  reader->handle_ = h;
  if (!platform::ImageSidesAllowed(h->Width, h->Height)) return nullptr;
  reader->picture_.resize(size_t{h->Width} * h->Height);
  KinetToBuffer(h, 0, 0, static_cast<int32_t>(h->Width), static_cast<int32_t>(h->Height),
                reader->picture_.data(), 0);
  reader->file_bytes_ = size > 0 ? static_cast<uint64_t>(size) : 0;
  return reader;
}

VideoFileReader::~VideoFileReader() {
  if (handle_) KinetClose(handle_);
}

uint64_t VideoFileReader::Read(platform::Image& frame) {
  if (next_ >= handle_->Frames && !Rewind()) return 0;
  KinetDoFrame(handle_);
  if (handle_->ReadError) return 0;
  frame.width = handle_->Width, frame.height = handle_->Height, frame.bits = 8;
  frame.pixels = picture_;
  std::copy_n(handle_->Palette, 768, frame.palette.begin());
  const uint64_t bytes = std::max<uint32_t>(handle_->FrameSize, 1);
  KinetNextFrame(handle_);
  ++next_;
  return bytes;
}

bool VideoFileReader::Rewind() {
  KinetGoto(handle_, 1);
  next_ = 0;
  return !handle_->ReadError;
}

}  // namespace kinet::toolkit
